#pragma once

#include <string>

#include "protocol/Clock.h"
#include "protocol/DeviceLink.h"
#include "serial/SerialPort.h"
#include "tools/cli/TerminalProgress.h"

// The open port, the real clock and the progress bar on standard error, for one exchange: opened
// like the window's Connect, closed when the object goes.
class TPanelConnection {
  public:
    TPanelConnection(const std::string& port, TBaudRate rate);

    TDeviceLink& Link() { return link_; }
    // Called once the exchange has finished, before its results are printed.
    void Done() { progress_.Erase(); }

  private:
    TTerminalProgress progress_;
    TSystemClock clock_;
    TSerialPort port_;
    TDeviceLink link_;
};
