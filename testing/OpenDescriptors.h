#pragma once

#include <string>

// How many descriptors of this process are open on the device at path, counting one whose device
// the system has since removed.
int DescriptorsOpenOn(const std::string& path);
