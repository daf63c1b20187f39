#include <windows.h>

#include "settings/FileAccess.h"
#include "settings/FileAccessPlatform.h"
#include "settings/Win32Text.h"

std::FILE* OpenForReading(const std::string& path) {
    return _wfopen(Wide(path).c_str(), L"rb");
}

bool TargetWritable(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

bool MakeDirectory(const std::string& path) {
    return CreateDirectoryW(Wide(path).c_str(), nullptr) != 0 ||
           GetLastError() == ERROR_ALREADY_EXISTS;
}

std::string ExecutableDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return ".";
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? "." : Utf8(path.substr(0, separator));
}

bool DirectoryWritable(const std::string& path) {
    // The read-only attribute of a directory does not stop files being made in it; a trial does.
    const std::string probe = path + "\\.irven-write-probe";
    const HANDLE file = CreateFileW(Wide(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_FILE_EXISTS;
    }
    CloseHandle(file);
    return true;
}

bool PathExists(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}
