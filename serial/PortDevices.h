#pragma once

#include <string>
#include <vector>

// A serial device as the system's device table gives it: its friendly name
// ("USB-SERIAL CH340 (COM3)"), as UTF-8, and the port name it was given (COM3), either of which
// may be missing.
struct TPortDevice {
    std::string FriendlyName;
    std::string PortName;
};

// The friendly name of the device that is the named port: the one whose port name it is, else one
// without a port name whose friendly name ends in "(PORT)" (a renamed port keeps its old suffix);
// case is ignored. Empty when no device is that port.
std::string FriendlyNameOfPort(const std::vector<TPortDevice>& devices, const std::string& port);
