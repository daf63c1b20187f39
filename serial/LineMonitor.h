#pragma once

#include <cstdint>
#include <memory>

#include "serial/SerialDriver.h"
#include "serial/SerialTypes.h"

class TSerialPort;

uint32_t EventsToMask(TLineEvents events);

// Watches the line events of an open port. It exists exactly while the port is open: Open creates
// it last, Close destroys it before the device is released. It holds the device itself, so the
// device outlives every wait on it.
class TLineMonitor {
  public:
    explicit TLineMonitor(TSerialPort& ownerPort);
    ~TLineMonitor();
    TLineMonitor(const TLineMonitor&) = delete;
    TLineMonitor& operator=(const TLineMonitor&) = delete;

  private:
    TSerialPort& OwnerPort_;
    std::shared_ptr<TSerialDevice> Device_;
};
