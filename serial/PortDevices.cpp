#include "serial/PortDevices.h"

#include <algorithm>
#include <cctype>

namespace {

bool SameIgnoringCase(const std::string& left, const std::string& right) {
    return std::equal(left.begin(), left.end(), right.begin(), right.end(), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) ==
               std::toupper(static_cast<unsigned char>(b));
    });
}

// "(COM3)" at the end, blanks after it allowed; "(COM30)" is another port.
bool NamesPortAtItsEnd(const std::string& friendlyName, const std::string& port) {
    const size_t end = friendlyName.find_last_not_of(" \t");
    const std::string suffix = "(" + port + ")";
    if (end == std::string::npos || end + 1 < suffix.size()) {
        return false;
    }
    return SameIgnoringCase(friendlyName.substr(end + 1 - suffix.size(), suffix.size()), suffix);
}

}  // namespace

std::string FriendlyNameOfPort(const std::vector<TPortDevice>& devices, const std::string& port) {
    if (port.empty()) {
        return {};
    }
    for (const TPortDevice& device : devices) {
        if (!device.FriendlyName.empty() && SameIgnoringCase(device.PortName, port)) {
            return device.FriendlyName;
        }
    }
    for (const TPortDevice& device : devices) {
        if (device.PortName.empty() && NamesPortAtItsEnd(device.FriendlyName, port)) {
            return device.FriendlyName;
        }
    }
    return {};
}
