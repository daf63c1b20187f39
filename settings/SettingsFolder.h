#pragma once

#include <functional>
#include <optional>
#include <string>

// Where the settings files live: the program directory whenever the program may write there (a
// build folder, an unpacked archive), else the user's own data folder for the program, which is
// made on the first save. A program run from the directory it was installed into counts as one
// that may not, even when run by root; so does one beside the Windows installer's uninstaller.
struct TSettingsFolder {
    std::string Path;
    bool InProgramDirectory = true;
};

// An environment variable's value; none when it is not set.
using TEnvironment = std::function<std::optional<std::string>(const char* name)>;

inline constexpr const char* SettingsFolderName = "irven-configurator";

// Linux: $XDG_DATA_HOME/irven-configurator when that is an absolute path, else
// $HOME/.local/share/irven-configurator. Windows: %APPDATA%\irven-configurator. The program
// directory itself when none of these can be told.
TSettingsFolder ChooseSettingsFolder(const std::string& programDirectory,
                                     bool programDirectoryWritable,
                                     const TEnvironment& environment);

// The running program's settings folder.
TSettingsFolder SettingsFolder();
