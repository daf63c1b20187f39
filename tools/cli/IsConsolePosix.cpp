#include <unistd.h>

#include "tools/cli/IsConsole.h"

bool IsConsole(std::FILE* stream) {
    return isatty(fileno(stream)) != 0;
}
