#include "serial/win32/PresentPortDevices.h"

#include <windows.h>
// Need what windows.h declares.
#include <setupapi.h>
// Makes devguid.h define the class identifiers it declares.
#include <initguid.h>
// After initguid.h.
#include <devguid.h>

#include <memory>
#include <string>

namespace {

struct TDeviceSetCloser {
    void operator()(HDEVINFO set) const { ::SetupDiDestroyDeviceInfoList(set); }
};
using TDeviceSet = std::unique_ptr<std::remove_pointer_t<HDEVINFO>, TDeviceSetCloser>;

struct TKeyCloser {
    void operator()(HKEY key) const { ::RegCloseKey(key); }
};
using TKey = std::unique_ptr<std::remove_pointer_t<HKEY>, TKeyCloser>;

std::string Utf8(const wchar_t* text) {
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) {
        return {};
    }
    std::string utf8(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), length, nullptr, nullptr);
    utf8.resize(static_cast<size_t>(length - 1));
    return utf8;
}

// Room for one more character than given, so that an unterminated value still ends.
std::string FriendlyName(HDEVINFO set, SP_DEVINFO_DATA& device) {
    wchar_t name[256] = {};
    DWORD type = 0;
    if (!::SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_FRIENDLYNAME, &type,
                                             reinterpret_cast<BYTE*>(name),
                                             sizeof name - sizeof name[0], nullptr) ||
        type != REG_SZ) {
        return {};
    }
    return Utf8(name);
}

std::string PortName(HDEVINFO set, SP_DEVINFO_DATA& device) {
    const HKEY opened =
        ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (opened == INVALID_HANDLE_VALUE) {
        return {};
    }
    const TKey key(opened);
    wchar_t name[64] = {};
    DWORD size = sizeof name - sizeof name[0];
    DWORD type = 0;
    if (::RegQueryValueExW(key.get(), L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(name),
                           &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return {};
    }
    return Utf8(name);
}

}  // namespace

std::vector<TPortDevice> PresentPortDevices() {
    std::vector<TPortDevice> devices;
    const HDEVINFO opened =
        ::SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (opened == INVALID_HANDLE_VALUE) {
        return devices;
    }
    const TDeviceSet set(opened);
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; ::SetupDiEnumDeviceInfo(set.get(), index, &device); ++index) {
        devices.push_back({FriendlyName(set.get(), device), PortName(set.get(), device)});
    }
    return devices;
}
