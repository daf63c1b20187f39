#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "serial/PortSource.h"

// The machine's real serial devices as Linux publishes them: the entries of /sys/class/tty that
// have a device behind them, without the 8250 ports whose type reads 0 (no UART there), listed
// as device paths (/dev/ttyUSB0).
class TSysfsPortSource : public TPortSource {
  public:
    explicit TSysfsPortSource(std::filesystem::path classDir = "/sys/class/tty",
                              std::string deviceDir = "/dev");
    bool ReadPortNames(std::vector<std::string>& names) const override;
    // A USB adapter's product and maker as its USB device gives them ("FT232R USB UART — FTDI");
    // any other port with a device behind it is built in.
    std::string Describe(const std::string& name) const override;

  private:
    bool IsRealPort(const std::filesystem::path& entry) const;

    std::filesystem::path ClassDir_;
    std::string DeviceDir_;
};
