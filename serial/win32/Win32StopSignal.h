#pragma once

#include "serial/SerialDriver.h"
#include "serial/win32/UniqueHandle.h"

// A manual-reset event, created non-signalled; a line-event wait waits on it beside the device.
class TWin32StopSignal : public TStopSignal {
  public:
    TWin32StopSignal() : Event_(NewEvent(true, false)) {}

    void Signal() override { ::SetEvent(Event_.Get()); }
    HANDLE Event() const { return Event_.Get(); }

  private:
    TUniqueHandle Event_;
};
