#include <cerrno>

#include "serial/DeviceRemoval.h"

// A terminal that has hung up answers every request with EIO; a USB adapter being removed may
// answer ENXIO or ENODEV before that.
bool IsRemovalError(uint32_t error) {
    return error == EIO || error == ENXIO || error == ENODEV;
}
