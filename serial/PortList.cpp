#include "serial/PortList.h"

#include <algorithm>
#include <cctype>

#include "serial/ESerialPort.h"
#include "serial/SerialMessages.h"

namespace {

bool LessIgnoringCase(const std::string& left, const std::string& right) {
    return std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(),
                                        [](char a, char b) {
                                            return std::toupper(static_cast<unsigned char>(a)) <
                                                   std::toupper(static_cast<unsigned char>(b));
                                        });
}

}  // namespace

void SortPortNames(std::vector<std::string>& names) {
    std::stable_sort(names.begin(), names.end(), LessIgnoringCase);
}

void ListSerialPorts(std::vector<std::string>& list, const TPortSource& source) {
    std::vector<std::string> found;
    if (!source.ReadPortNames(found)) {
        throw ESerialPort(SerialMessage::Registry);
    }
    SortPortNames(found);
    list = std::move(found);
}

std::vector<TPortEntry> ListSerialPortEntries(const TPortSource& source) {
    std::vector<std::string> names;
    ListSerialPorts(names, source);
    std::vector<TPortEntry> entries;
    for (std::string& name : names) {
        std::string description = source.Describe(name);
        entries.push_back({std::move(name), std::move(description)});
    }
    return entries;
}

std::vector<TPortEntry> ListSerialPortEntries() {
    return ListSerialPortEntries(*PlatformPortSource());
}

void ListSerialPorts(std::vector<std::string>& list) {
    ListSerialPorts(list, *PlatformPortSource());
}
