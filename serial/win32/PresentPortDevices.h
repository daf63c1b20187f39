#pragma once

#include <vector>

#include "serial/PortDevices.h"

// The serial devices present now, as the Device Manager lists them under "Ports (COM & LPT)":
// each one's friendly name and the port name it was given. Whatever the system cannot tell is left
// empty; the list is empty when it cannot be read at all.
std::vector<TPortDevice> PresentPortDevices();
