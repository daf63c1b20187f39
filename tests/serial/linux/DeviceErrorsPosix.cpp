#include <cerrno>

#include "tests/serial/DeviceErrors.h"

const std::vector<TDeviceError>& PlatformDeviceErrors() {
    static const std::vector<TDeviceError> errors = {
        {"EIO", EIO, true},        {"ENXIO", ENXIO, true},
        {"ENODEV", ENODEV, true},  {"EAGAIN", EAGAIN, false},
        {"EINTR", EINTR, false},   {"ENOTTY", ENOTTY, false},
        {"EINVAL", EINVAL, false}, {"EBADF", EBADF, false},
        {"EPERM", EPERM, false},   {"ETIMEDOUT", ETIMEDOUT, false}};
    return errors;
}
