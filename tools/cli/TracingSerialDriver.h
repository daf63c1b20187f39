#pragma once

#include <memory>

#include "serial/SerialDriver.h"
#include "tools/cli/WireTrace.h"

// A driver that hands every completed write and read of its devices to the trace, and passes
// everything else through to the driver it wraps. The trace must outlive the driver.
class TTracingSerialDriver final : public TSerialDriver {
  public:
    TTracingSerialDriver(std::shared_ptr<TSerialDriver> inner, TWireTrace& trace);

    TOpenResult Open(const std::string& port) override;
    std::unique_ptr<TSerialTransfer> NewTransfer() override;
    std::unique_ptr<TStopSignal> NewStopSignal() override { return inner_->NewStopSignal(); }

  private:
    std::shared_ptr<TSerialDriver> inner_;
    TWireTrace& trace_;
};
