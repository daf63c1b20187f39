#include <windows.h>

#include "tests/serial/DeviceErrors.h"

const std::vector<TDeviceError>& PlatformDeviceErrors() {
    static const std::vector<TDeviceError> errors = {
        {"DEVICE_REMOVED", ERROR_DEVICE_REMOVED, true},
        {"DEVICE_NOT_CONNECTED", ERROR_DEVICE_NOT_CONNECTED, true},
        {"BAD_COMMAND", ERROR_BAD_COMMAND, true},
        {"GEN_FAILURE", ERROR_GEN_FAILURE, true},
        {"FILE_NOT_FOUND", ERROR_FILE_NOT_FOUND, true},
        {"ACCESS_DENIED", ERROR_ACCESS_DENIED, true},
        {"OPERATION_ABORTED", ERROR_OPERATION_ABORTED, true},
        {"INVALID_PARAMETER", ERROR_INVALID_PARAMETER, false},
        {"INVALID_HANDLE", ERROR_INVALID_HANDLE, false},
        {"INVALID_FUNCTION", ERROR_INVALID_FUNCTION, false},
        {"SEM_TIMEOUT", ERROR_SEM_TIMEOUT, false},
        {"NOT_ENOUGH_MEMORY", ERROR_NOT_ENOUGH_MEMORY, false}};
    return errors;
}
