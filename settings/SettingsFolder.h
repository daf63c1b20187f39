#pragma once

#include <functional>
#include <optional>
#include <string>

// Where the settings files live: the program directory whenever the program may write there (a
// build folder, an unpacked archive), else the user's own data folder for the program, which is
// made on the first save. A program run from the directory it was installed into counts as one
// that may not, even when run by root.
struct TSettingsFolder {
    std::string Path;
    bool InProgramDirectory = true;
};

// An environment variable's value; none when it is not set.
using TEnvironment = std::function<std::optional<std::string>(const char* name)>;

inline constexpr const char* SettingsFolderName = "irven-configurator";

// The directory of the program's executable, without a trailing separator.
std::string ProgramDirectory();

// The freedesktop rules for the user's data folder: $XDG_DATA_HOME when that is an absolute path,
// else $HOME/.local/share; none when neither is set.
std::optional<std::string> XdgDataDirectory(const TEnvironment& environment);

// The running user's data folder. Linux: XdgDataDirectory of the environment. Windows: the
// roaming application-data folder, asked for in Unicode (%APPDATA% comes in the ANSI code page,
// which cannot hold every user name).
std::optional<std::string> UserDataDirectory();

// userData/irven-configurator when the program directory is not writable and the user's data
// folder is known, else the program directory itself.
TSettingsFolder ChooseSettingsFolder(const std::string& programDirectory,
                                     bool programDirectoryWritable,
                                     const std::optional<std::string>& userData);

// The running program's settings folder.
TSettingsFolder SettingsFolder();
