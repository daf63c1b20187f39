#pragma once

#include <memory>
#include <string>
#include <vector>

#include "serial/PortSource.h"

// Replaces list with the machine's serial device names, sorted case-insensitively (COM1, COM10,
// COM3). Raises ESerialPort and leaves list as it was when the names cannot be read.
void ListSerialPorts(std::vector<std::string>& list);
void ListSerialPorts(std::vector<std::string>& list, const TPortSource& source);

struct TPortEntry {
    std::string Name;
    std::string Description;  // UTF-8; empty when the system tells nothing of the device
};

// ListSerialPorts, each name with its description.
std::vector<TPortEntry> ListSerialPortEntries();
std::vector<TPortEntry> ListSerialPortEntries(const TPortSource& source);

// Case-insensitive order that keeps names comparing equal in their found order.
void SortPortNames(std::vector<std::string>& names);

std::unique_ptr<TPortSource> PlatformPortSource();
