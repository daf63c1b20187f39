#include "protocol/ReadSettings.h"
#include "protocol/WriteSettings.h"
#include "settings/PathNames.h"
#include "settings/SettingsFile.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/PanelConnection.h"
#include "tools/cli/SettingsBackup.h"
#include "tools/cli/SettingsListing.h"

namespace {

struct TFileArgument {
    std::string Directory;
    std::string Name;
};

// The settings library takes a directory and a file name, and reads "\" and ":" in a name as
// separators; a path given here must mean that file, so such a name is refused.
TFileArgument SplitFileArgument(const std::string& path, const char* option,
                                const TCliOptions& options) {
    const size_t cut = path.find_last_of(FolderEnds());
    TFileArgument file;
    if (cut == std::string::npos) {
        file = {".", path};
    } else if (path[cut] == ':') {
        // "D:site.ini" is in the current folder of drive D.
        file = {path.substr(0, cut + 1) + ".", path.substr(cut + 1)};
    } else {
        file = {cut == 0 ? path.substr(0, 1) : path.substr(0, cut), path.substr(cut + 1)};
    }
    if (file.Name.empty() || file.Name.find_first_of("\\:") != std::string::npos) {
        throw EUsage(std::string(option) +
                         " ждёт путь к файлу, в имени которого нет «\\» и «:», а не «" + path + "»",
                     options.Command);
    }
    return file;
}

void OpenFile(TSettingsStore& settings, const TFileArgument& file) {
    OpenSettingsFile(settings, file.Directory, file.Name);
}

void SaveFile(const TSettingsStore& settings, const TFileArgument& file) {
    SaveSettingsFile(settings, file.Directory, file.Name, [](const std::string&) { return true; });
}

}  // namespace

void RunReadSettings(const TCliOptions& options, std::ostream& out) {
    std::optional<TFileArgument> file;
    if (!options.IniPath.empty()) {
        file = SplitFileArgument(options.IniPath, "--ini", options);
    }
    TMemorySettingsStore settings;
    {
        TPanelConnection connection(options);
        ReadSettings(connection.Link(), settings);
        connection.Done();
    }
    out << ListAllSettings(settings) << std::flush;
    if (file) {
        SaveFile(settings, *file);
    }
}

void RunShowSettings(const TCliOptions& options, std::ostream& out) {
    const TFileArgument file = SplitFileArgument(options.IniPath, "--ini", options);
    TMemorySettingsStore settings;
    OpenFile(settings, file);
    out << ListTextSettings(settings);
}

void RunWriteSettings(const TCliOptions& options, std::ostream&) {
    const TFileArgument file = SplitFileArgument(options.IniPath, "--ini", options);
    std::optional<TFileArgument> backupFile;
    if (!options.BackupPath.empty()) {
        backupFile = SplitFileArgument(options.BackupPath, "--backup", options);
    }
    TMemorySettingsStore settings;
    OpenFile(settings, file);
    settings.SetSmsMode(options.SmsMode);
    settings.SetGprsMode(options.GprsMode);
    settings.SetTransport(TSim::Sim1, options.Sim1Transport);
    settings.SetTransport(TSim::Sim2, options.Sim2Transport);
    TPanelConnection connection(options);
    if (backupFile) {
        WriteSettingsAfterBackup(
            connection.Link(), connection.Progress(), settings,
            [&backupFile](const TSettingsStore& backup) { SaveFile(backup, *backupFile); });
    } else {
        WriteSettings(connection.Link(), settings);
    }
    connection.Done();
}
