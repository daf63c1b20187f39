#pragma once

#include <optional>
#include <string>
#include <vector>

#include "serial/PortDevices.h"
#include "serial/PortSource.h"

// The serial devices Windows publishes under HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM:
// the data of every value (COM3, ...), in the order enumerated. Windows makes the key with the
// first serial port, so on a machine that has never had one it is missing: no ports, no failure.
// The header stays free of windows.h, whose macros rename members such as TSerialPort::SetPort.
struct HKEY__;

class TRegistryPortSource : public TPortSource {
  public:
    TRegistryPortSource();
    // Another key, for the tests.
    TRegistryPortSource(HKEY__* root, std::string key);
    bool ReadPortNames(std::vector<std::string>& names) const override;
    // The device's friendly name from the device table ("USB-SERIAL CH340 (COM3)"), read once
    // per source.
    std::string Describe(const std::string& name) const override;

  private:
    HKEY__* Root_;
    std::string Key_;
    mutable std::optional<std::vector<TPortDevice>> Devices_;
};
