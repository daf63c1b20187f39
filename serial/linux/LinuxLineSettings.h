#pragma once

#include <cstdint>

#include "serial/SerialDriver.h"

// The terminal settings the line is made of, with the kernel's flag values. The whole line goes
// through the kernel's termios2 in one call, so that any rate (14400 and 256000 included) can be
// set with BOTHER; that code lives in a file of its own because <asm/termbits.h> cannot be
// included beside <termios.h>.
struct TTerminalSettings {
    uint32_t InputFlags = 0;
    uint32_t OutputFlags = 0;
    uint32_t ControlFlags = 0;
    uint32_t LocalFlags = 0;
    uint8_t MinimumBytes = 0;
    uint8_t ReadTime = 0;
    uint8_t StartChar = 0;
    uint8_t StopChar = 0;
    uint32_t InputSpeed = 0;
    uint32_t OutputSpeed = 0;
};

// Raw mode with the block's rate, data bits, parity, stop bits and flow control. Reads return at
// once (one byte minimum with a non-blocking descriptor).
TTerminalSettings MakeLineSettings(const TSerialDcb& dcb, TTerminalSettings settings);

bool ReadLineSettings(int fd, TTerminalSettings& settings);
bool ApplyLineSettings(int fd, const TSerialDcb& dcb);
