#include <cstdlib>

#include "settings/SettingsFolder.h"

std::optional<std::string> UserDataDirectory() {
    return XdgDataDirectory([](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    });
}
