#pragma once

#include <cstdint>
#include <vector>

// An error of this platform's serial calls, and whether it means that the device has gone.
struct TDeviceError {
    const char* Name;
    uint32_t Code;
    bool Removal;
};

// The platform's removal errors, and ordinary failures of a device that is still there.
const std::vector<TDeviceError>& PlatformDeviceErrors();
