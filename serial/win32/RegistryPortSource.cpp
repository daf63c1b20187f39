#include "serial/win32/RegistryPortSource.h"

#include <windows.h>

#include <cstring>
#include <memory>

#include "serial/PortList.h"
#include "serial/win32/PresentPortDevices.h"

namespace {

struct TKeyCloser {
    void operator()(HKEY key) const { ::RegCloseKey(key); }
};
using TKey = std::unique_ptr<std::remove_pointer_t<HKEY>, TKeyCloser>;

}  // namespace

TRegistryPortSource::TRegistryPortSource()
    : TRegistryPortSource(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM") {}

TRegistryPortSource::TRegistryPortSource(HKEY root, std::string key)
    : Root_(root), Key_(std::move(key)) {}

bool TRegistryPortSource::ReadPortNames(std::vector<std::string>& names) const {
    HKEY opened = nullptr;
    const LONG open = ::RegOpenKeyExA(Root_, Key_.c_str(), 0, KEY_READ, &opened);
    if (open == ERROR_FILE_NOT_FOUND) {
        return true;
    }
    if (open != ERROR_SUCCESS) {
        return false;
    }
    const TKey key(opened);
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameLength = sizeof name;
        BYTE data[256];
        DWORD dataLength = sizeof data;
        DWORD type = 0;
        const LONG result =
            ::RegEnumValueA(key.get(), index, name, &nameLength, nullptr, &type, data, &dataLength);
        if (result == ERROR_NO_MORE_ITEMS) {
            return true;
        }
        if (result != ERROR_SUCCESS) {
            return false;
        }
        const char* text = reinterpret_cast<const char*>(data);
        names.emplace_back(text, ::strnlen(text, dataLength));
    }
}

std::string TRegistryPortSource::Describe(const std::string& name) const {
    if (!Devices_) {
        Devices_ = PresentPortDevices();
    }
    return FriendlyNameOfPort(*Devices_, name);
}

std::unique_ptr<TPortSource> PlatformPortSource() {
    return std::make_unique<TRegistryPortSource>();
}
