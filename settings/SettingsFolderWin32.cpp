#include <windows.h>
// The shell's headers need windows.h first.
#include <knownfolders.h>
#include <shlobj.h>

#include <memory>

#include "settings/SettingsFolder.h"
#include "settings/Win32Text.h"

namespace {

struct TTaskMemoryFree {
    void operator()(wchar_t* memory) const { CoTaskMemFree(memory); }
};

}  // namespace

std::optional<std::string> UserDataDirectory() {
    wchar_t* found = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &found);
    const std::unique_ptr<wchar_t, TTaskMemoryFree> owned(found);
    if (FAILED(result) || found == nullptr || *found == L'\0') {
        return std::nullopt;
    }
    return Utf8(found);
}
