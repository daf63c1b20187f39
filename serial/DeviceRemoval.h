#pragma once

#include <cstdint>

// Whether an error of the platform's serial calls (errno on Linux, GetLastError on Windows) says
// that the device has gone: a pulled adapter, a terminal that has hung up. Any other failure
// leaves the device where it was.
bool IsRemovalError(uint32_t error);
