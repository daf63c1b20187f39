#include "settings/SettingsFolder.h"

#include "settings/FileAccess.h"
#include "settings/PathNames.h"

namespace {

std::optional<std::string> NonEmpty(const TEnvironment& environment, const char* name) {
    std::optional<std::string> value = environment(name);
    if (value && value->empty()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::string ProgramDirectory() {
    return ExecutableDirectory();
}

std::optional<std::string> XdgDataDirectory(const TEnvironment& environment) {
    // A relative XDG_DATA_HOME is invalid and to be ignored.
    if (const auto xdg = NonEmpty(environment, "XDG_DATA_HOME"); xdg && xdg->front() == '/') {
        return xdg;
    }
    if (const auto home = NonEmpty(environment, "HOME")) {
        return *home + "/.local/share";
    }
    return std::nullopt;
}

TSettingsFolder ChooseSettingsFolder(const std::string& programDirectory,
                                     bool programDirectoryWritable,
                                     const std::optional<std::string>& userData) {
    if (!programDirectoryWritable && userData) {
        return {JoinPath(*userData, SettingsFolderName), false};
    }
    return {programDirectory, true};
}

TSettingsFolder SettingsFolder() {
    const std::string program = ProgramDirectory();
    return ChooseSettingsFolder(program,
                                program != IRVEN_INSTALLED_BINDIR && DirectoryWritable(program),
                                UserDataDirectory());
}
