#pragma once

#include <string>
#include <vector>

#include "serial/PortSource.h"

// The serial devices Windows publishes under HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM:
// the data of every value (COM3, ...), in the order enumerated.
class TRegistryPortSource : public TPortSource {
  public:
    bool ReadPortNames(std::vector<std::string>& names) const override;
};
