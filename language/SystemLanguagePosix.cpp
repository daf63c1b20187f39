#include <cstdlib>

#include "language/Language.h"

TLanguage SystemLanguage() {
    return LanguageFromEnvironment([](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
    });
}
