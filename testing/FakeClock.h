#pragma once

#include <cstdint>
#include <functional>
#include <numeric>
#include <vector>

#include "protocol/Clock.h"

// Records every wait instead of sleeping. OnSleep runs inside the wait, so a test can make a reply
// arrive, or the window's events happen, "during" it.
class TFakeClock final : public TClock {
  public:
    void Sleep(uint32_t milliseconds) override {
        waits_.push_back(milliseconds);
        if (OnSleep) {
            OnSleep(milliseconds);
        }
    }

    const std::vector<uint32_t>& Waits() const { return waits_; }
    uint64_t TotalMilliseconds() const {
        return std::accumulate(waits_.begin(), waits_.end(), uint64_t{0});
    }

    std::function<void(uint32_t milliseconds)> OnSleep;

  private:
    std::vector<uint32_t> waits_;
};
