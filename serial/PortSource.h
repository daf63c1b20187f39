#pragma once

#include <string>
#include <vector>

// Where the names of the machine's serial devices come from: the registry on Windows, sysfs on
// Linux.
class TPortSource {
  public:
    virtual ~TPortSource() = default;
    // Every device name, in the order found; false when the list cannot be read completely.
    virtual bool ReadPortNames(std::vector<std::string>& names) const = 0;
};
