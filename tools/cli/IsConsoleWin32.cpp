#include <io.h>
#include <windows.h>

#include <cstdint>

#include "tools/cli/IsConsole.h"

// The C runtime's isatty is true for any character device, NUL among them, and answers with a
// flag bit rather than 1; only a console handle has a console mode.
bool IsConsole(std::FILE* stream) {
    const intptr_t handle = _get_osfhandle(_fileno(stream));
    DWORD mode = 0;
    return handle != -1 && ::GetConsoleMode(reinterpret_cast<HANDLE>(handle), &mode) != 0;
}
