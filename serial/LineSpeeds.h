#pragma once

#include <array>
#include <cstdint>

#include "serial/SerialTypes.h"

// The fifteen line speeds in bits per second, in the order of TBaudRate: the window's speed list
// and the tool's --baud offer exactly these.
inline constexpr std::array<uint32_t, 15> kLineSpeeds = {110,   300,   600,    1200,   2400,
                                                         4800,  9600,  14400,  19200,  38400,
                                                         56000, 57600, 115200, 128000, 256000};

// The speed chosen until the user picks another.
inline constexpr TBaudRate kInitialLineSpeed = br115200;
