#include <windows.h>

#include "serial/DeviceRemoval.h"

// The documented removal errors, and those the common USB serial drivers give instead (the CDC
// driver denies access, others fail the request as a command the device does not know or a device
// that does not work). A driver that cancels every request of a removed device aborts it; the port
// never asks a line error to abort requests, so an aborted request means removal too.
bool IsRemovalError(uint32_t error) {
    switch (error) {
        case ERROR_DEVICE_REMOVED:
        case ERROR_DEVICE_NOT_CONNECTED:
        case ERROR_BAD_COMMAND:
        case ERROR_GEN_FAILURE:
        case ERROR_FILE_NOT_FOUND:
        case ERROR_ACCESS_DENIED:
        case ERROR_OPERATION_ABORTED:
            return true;
        default:
            return false;
    }
}
