#pragma once

#include <string>

#include "serial/SerialDriver.h"

// Serial devices through the Win32 communications API; a port is a device name such as COM3.
class TWin32SerialDriver : public TSerialDriver {
  public:
    TOpenResult Open(const std::string& port) override;
    std::unique_ptr<TSerialTransfer> NewTransfer() override;
    std::unique_ptr<TStopSignal> NewStopSignal() override;
};
