#pragma once

#include <memory>
#include <string>

#include "protocol/Clock.h"
#include "protocol/DeviceLink.h"
#include "serial/SerialPort.h"
#include "tools/cli/CliOptions.h"
#include "tools/cli/StagedProgress.h"
#include "tools/cli/TerminalProgress.h"
#include "tools/cli/WireTrace.h"

// The open port, the real clock and the progress bar on standard error, for one command: opened
// like the window's Connect, closed when the object goes. With --trace every write and read of
// the port also goes to the trace, which is opened first: a trace that cannot be opened is a usage
// error, and the port stays closed.
class TPanelConnection {
  public:
    explicit TPanelConnection(const TCliOptions& options);

    TDeviceLink& Link() { return link_; }
    TStagedProgress& Progress() { return progress_; }
    // Called once the exchanges have finished, before their results are printed.
    void Done() { bar_.Erase(); }

  private:
    static std::unique_ptr<TWireTrace> OpenTrace(const TCliOptions& options);
    std::shared_ptr<TSerialDriver> Driver();

    TTerminalProgress bar_;
    TStagedProgress progress_;
    TSystemClock clock_;
    std::unique_ptr<TWireTrace> trace_;
    TSerialPort port_;
    TDeviceLink link_;
};
