#include "settings/SettingsFolder.h"

#include <cstdlib>

#include "settings/FileAccess.h"
#include "settings/PathNames.h"

#ifdef _WIN32
#include <windows.h>
// The shell's headers need windows.h first.
#include <knownfolders.h>
#include <shlobj.h>

#include <memory>

#include "settings/Win32Text.h"
#endif

namespace {

std::optional<std::string> NonEmpty(const TEnvironment& environment, const char* name) {
    std::optional<std::string> value = environment(name);
    if (value && value->empty()) {
        return std::nullopt;
    }
    return value;
}

#ifdef _WIN32
struct TTaskMemoryFree {
    void operator()(wchar_t* memory) const { CoTaskMemFree(memory); }
};
#endif

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

std::optional<std::string> UserDataDirectory() {
#ifdef _WIN32
    wchar_t* found = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &found);
    const std::unique_ptr<wchar_t, TTaskMemoryFree> owned(found);
    if (FAILED(result) || found == nullptr || *found == L'\0') {
        return std::nullopt;
    }
    return Utf8(found);
#else
    return XdgDataDirectory([](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    });
#endif
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
    const bool installed = program == IRVEN_INSTALLED_BINDIR;
    return ChooseSettingsFolder(program, !installed && DirectoryWritable(program),
                                UserDataDirectory());
}
