#include "tools/cli/PanelConnection.h"

#include "tools/cli/TracingSerialDriver.h"

TPanelConnection::TPanelConnection(const TCliOptions& options)
    : bar_(stderr),
      progress_(bar_),
      trace_(OpenTrace(options)),
      port_(Driver()),
      link_(port_, progress_, clock_) {
    port_.SetPort(options.Port);
    port_.SetBaudRate(options.BaudRate);
    port_.Open();
}

std::unique_ptr<TWireTrace> TPanelConnection::OpenTrace(const TCliOptions& options) {
    if (options.TracePath.empty()) {
        return nullptr;
    }
    try {
        return std::make_unique<TWireTrace>(options.TracePath);
    } catch (const std::runtime_error&) {
        throw EUsage("не удаётся открыть файл трассировки «" + options.TracePath + "»",
                     options.Command);
    }
}

std::shared_ptr<TSerialDriver> TPanelConnection::Driver() {
    if (!trace_) {
        return PlatformSerialDriver();
    }
    return std::make_shared<TTracingSerialDriver>(PlatformSerialDriver(), *trace_);
}
