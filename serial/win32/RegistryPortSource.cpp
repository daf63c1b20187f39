#include "serial/win32/RegistryPortSource.h"

#include <windows.h>

#include <cstring>
#include <memory>

#include "serial/PortList.h"

namespace {

struct TKeyCloser {
    void operator()(HKEY key) const { ::RegCloseKey(key); }
};
using TKey = std::unique_ptr<std::remove_pointer_t<HKEY>, TKeyCloser>;

}  // namespace

bool TRegistryPortSource::ReadPortNames(std::vector<std::string>& names) const {
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ,
                        &opened) != ERROR_SUCCESS) {
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

std::unique_ptr<TPortSource> PlatformPortSource() {
    return std::make_unique<TRegistryPortSource>();
}
