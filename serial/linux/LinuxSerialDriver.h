#pragma once

#include <string>

#include "serial/SerialDriver.h"

// Serial devices through termios. A port is a device path (/dev/ttyUSB0, /dev/pts/3) or a name
// under /dev (ttyUSB0, pts/3).
class TLinuxSerialDriver : public TSerialDriver {
  public:
    TOpenResult Open(const std::string& port) override;
    std::unique_ptr<TSerialTransfer> NewTransfer() override;
    std::unique_ptr<TStopSignal> NewStopSignal() override;

    static std::string DevicePath(const std::string& port);
    // How a failed open (its errno) is reported.
    static TOpenResult Refusal(int error, const std::string& path);
};
