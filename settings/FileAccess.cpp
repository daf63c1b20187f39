#include "settings/FileAccess.h"

#include <cstdio>
#include <memory>

#include "settings/IniFileException.h"
#include "settings/PathNames.h"
#include "settings/TemporaryFile.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "settings/Win32Text.h"
#else
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#endif

namespace {

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFilePtr = std::unique_ptr<std::FILE, TFileCloser>;

#ifdef _WIN32

std::FILE* OpenForReading(const std::string& path) {
    return _wfopen(Wide(path).c_str(), L"rb");
}

bool TargetWritable(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

#else

std::FILE* OpenForReading(const std::string& path) {
    return std::fopen(path.c_str(), "rb");
}

// rename(2) would replace a read-only file; the private-profile rules refuse to write to one.
bool TargetWritable(const std::string& path) {
    return access(path.c_str(), F_OK) != 0 || access(path.c_str(), W_OK) == 0;
}

#endif

}  // namespace

std::string ExecutableDirectory() {
#ifdef _WIN32
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
#else
    std::string path(PATH_MAX, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) {
        return ".";
    }
    path.resize(static_cast<std::size_t>(length));
    return DirectoryOf(path);
#endif
}

bool DirectoryWritable(const std::string& path) {
#ifdef _WIN32
    // The read-only attribute of a directory does not stop files being made in it; a trial does.
    const std::string probe = path + "\\.irven-write-probe";
    const HANDLE file = CreateFileW(Wide(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_FILE_EXISTS;
    }
    CloseHandle(file);
    return true;
#else
    return access(path.c_str(), W_OK | X_OK) == 0;
#endif
}

bool MakeDirectories(const std::string& path) {
    for (std::size_t end = path.find_first_of("/\\", 1);;
         end = path.find_first_of("/\\", end + 1)) {
        const std::string part = path.substr(0, end);
#ifdef _WIN32
        const bool made = CreateDirectoryW(Wide(part).c_str(), nullptr) != 0 ||
                          GetLastError() == ERROR_ALREADY_EXISTS;
#else
        const bool made = mkdir(part.c_str(), 0700) == 0 || errno == EEXIST;
#endif
        if (end == std::string::npos) {
            return made && PathExists(path);
        }
    }
}

bool PathExists(const std::string& path) {
#ifdef _WIN32
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
#else
    return access(path.c_str(), F_OK) == 0;
#endif
}

std::optional<ByteString> ReadFileBytes(const std::string& path) {
    TFilePtr file(OpenForReading(path));
    if (!file) {
        return std::nullopt;
    }
    ByteString content;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        content.append(buffer, got);
    }
    if (std::ferror(file.get())) {
        return std::nullopt;
    }
    return content;
}

void ReplaceFileAtomically(const std::string& path, const ByteString& content,
                           const TSaveRetry& retry) {
    if (!TargetWritable(path)) {
        throw EIniFileException(path);
    }
    TTemporaryFile temporary(path, retry);
    if (!temporary.Held() || !temporary.Write(content) || !temporary.RenameOver()) {
        throw EIniFileException(path);
    }
}
