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
    // What the system tells of the named device, as UTF-8 (its product and maker, or that it is
    // built in); empty when it tells nothing.
    virtual std::string Describe(const std::string&) const { return {}; }
};
