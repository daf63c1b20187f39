#pragma once

#include "serial/SerialDriver.h"
#include "serial/linux/UniqueFd.h"

// An eventfd that becomes readable, and stays so, once signalled; a line-event wait polls it
// beside the device.
class TLinuxStopSignal : public TStopSignal {
  public:
    TLinuxStopSignal();
    void Signal() override;
    int Fd() const { return Fd_.Get(); }

  private:
    TUniqueFd Fd_;
};
