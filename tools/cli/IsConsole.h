#pragma once

#include <cstdio>

// Whether the stream goes to a terminal the user watches: a console on Windows (not the NUL
// device, nor a file or a pipe), a terminal elsewhere.
bool IsConsole(std::FILE* stream);
