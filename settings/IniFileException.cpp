#include "settings/IniFileException.h"

#include "settings/PathNames.h"

EIniFileException::EIniFileException(const std::string& path)
    : std::runtime_error("Unable to write to " + PathForMessage(path)) {}
