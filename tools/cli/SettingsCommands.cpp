#include "protocol/ReadSettings.h"
#include "protocol/WriteSettings.h"
#include "settings/SettingsFile.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/PanelConnection.h"
#include "tools/cli/SettingsListing.h"

namespace {

struct TFileArgument {
    std::string Directory;
    std::string Name;
};

// The settings library takes a directory and a file name, and reads "\" and ":" in a name as
// separators; a path given here must mean that file, so such a name is refused.
TFileArgument SplitFileArgument(const TCliOptions& options) {
    const std::string& path = options.IniPath;
    const size_t slash = path.rfind('/');
    TFileArgument file;
    if (slash == std::string::npos) {
        file = {".", path};
    } else {
        file = {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
    }
    if (file.Name.empty() || file.Name.find_first_of("\\:") != std::string::npos) {
        throw EUsage(
            "--ini ждёт путь к файлу, в имени которого нет «\\» и «:», а не «" + path + "»",
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

TBaudRate RateOf(const TCliOptions& options) {
    return options.BaudRate;
}

}  // namespace

void RunReadSettings(const TCliOptions& options, std::ostream& out) {
    std::optional<TFileArgument> file;
    if (!options.IniPath.empty()) {
        file = SplitFileArgument(options);
    }
    TMemorySettingsStore settings;
    {
        TPanelConnection connection(options.Port, RateOf(options));
        ReadSettings(connection.Link(), settings);
        connection.Done();
    }
    out << ListAllSettings(settings) << std::flush;
    if (file) {
        SaveFile(settings, *file);
    }
}

void RunShowSettings(const TCliOptions& options, std::ostream& out) {
    const TFileArgument file = SplitFileArgument(options);
    TMemorySettingsStore settings;
    OpenFile(settings, file);
    out << ListTextSettings(settings);
}

void RunWriteSettings(const TCliOptions& options, std::ostream&) {
    const TFileArgument file = SplitFileArgument(options);
    TMemorySettingsStore settings;
    OpenFile(settings, file);
    settings.SetSmsMode(options.SmsMode);
    settings.SetGprsMode(options.GprsMode);
    settings.SetTransport(TSim::Sim1, options.Sim1Transport);
    settings.SetTransport(TSim::Sim2, options.Sim2Transport);
    TPanelConnection connection(options.Port, RateOf(options));
    WriteSettings(connection.Link(), settings);
    connection.Done();
}
