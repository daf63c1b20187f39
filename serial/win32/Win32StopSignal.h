#pragma once

#include <windows.h>

#include "serial/SerialDriver.h"

// A manual-reset event, created non-signalled; a line-event wait waits on it beside the device.
class TWin32StopSignal : public TStopSignal {
  public:
    TWin32StopSignal() : Event_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~TWin32StopSignal() override {
        if (Event_ != nullptr) {
            ::CloseHandle(Event_);
        }
    }
    TWin32StopSignal(const TWin32StopSignal&) = delete;
    TWin32StopSignal& operator=(const TWin32StopSignal&) = delete;

    void Signal() override { ::SetEvent(Event_); }
    HANDLE Event() const { return Event_; }

  private:
    HANDLE Event_;
};
