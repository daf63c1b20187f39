#include "settings/SettingsFolder.h"

#include <cstdlib>

#include "settings/FileAccess.h"
#include "settings/SettingsFile.h"

namespace {

std::optional<std::string> NonEmpty(const TEnvironment& environment, const char* name) {
    std::optional<std::string> value = environment(name);
    if (value && value->empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::string> UserDataDirectory(const TEnvironment& environment) {
#ifdef _WIN32
    return NonEmpty(environment, "APPDATA");
#else
    // A relative XDG_DATA_HOME is invalid and to be ignored.
    if (const auto xdg = NonEmpty(environment, "XDG_DATA_HOME"); xdg && xdg->front() == '/') {
        return xdg;
    }
    if (const auto home = NonEmpty(environment, "HOME")) {
        return *home + "/.local/share";
    }
    return std::nullopt;
#endif
}

// The Windows installer's per-user program folder is writable; its uninstaller beside the program
// tells it from an unpacked portable archive.
bool InstalledOnWindows([[maybe_unused]] const std::string& program) {
#ifdef _WIN32
    return PathExists(SettingsFilePath(program, IRVEN_WINDOWS_UNINSTALLER));
#else
    return false;
#endif
}

}  // namespace

TSettingsFolder ChooseSettingsFolder(const std::string& programDirectory,
                                     bool programDirectoryWritable,
                                     const TEnvironment& environment) {
    if (!programDirectoryWritable) {
        if (const auto data = UserDataDirectory(environment)) {
            return {SettingsFilePath(*data, SettingsFolderName), false};
        }
    }
    return {programDirectory, true};
}

TSettingsFolder SettingsFolder() {
    const std::string program = ProgramDirectory();
    const bool installed = program == IRVEN_INSTALLED_BINDIR || InstalledOnWindows(program);
    return ChooseSettingsFolder(program, !installed && DirectoryWritable(program),
                                [](const char* name) -> std::optional<std::string> {
                                    const char* value = std::getenv(name);
                                    return value ? std::optional<std::string>(value) : std::nullopt;
                                });
}
