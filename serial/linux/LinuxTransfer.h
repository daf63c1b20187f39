#pragma once

#include <cstdint>

#include "serial/SerialDriver.h"

// Linux transfers complete inside WriteFile and ReadFile, so the record only carries the count.
class TLinuxTransfer : public TSerialTransfer {
  public:
    bool Wait() override { return true; }
    bool Result(uint32_t& count) override {
        count = Count_;
        return true;
    }
    void Complete(uint32_t count) { Count_ = count; }

  private:
    uint32_t Count_ = 0;
};
