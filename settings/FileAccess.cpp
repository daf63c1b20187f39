#include "settings/FileAccess.h"

#include <cstdio>
#include <memory>

#include "settings/IniFile.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#else
#include <fcntl.h>
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

std::string TemporaryPath(const std::string& path) {
#ifdef _WIN32
    const unsigned long process = GetCurrentProcessId();
#else
    const unsigned long process = static_cast<unsigned long>(getpid());
#endif
    return path + ".tmp" + std::to_string(process);
}

// Removes the temporary file unless the rename has taken it.
class TTemporaryFile {
  public:
    explicit TTemporaryFile(std::string path) : path_(std::move(path)) {}
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;
    ~TTemporaryFile() {
        if (!renamed_) {
            std::remove(path_.c_str());
        }
    }
    const std::string& Path() const { return path_; }
    void Renamed() { renamed_ = true; }

  private:
    std::string path_;
    bool renamed_ = false;
};

#ifdef _WIN32

class THandle {
  public:
    explicit THandle(HANDLE handle) : handle_(handle) {}
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;
    ~THandle() { Close(); }
    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Close() {
        const bool closed = !Valid() || CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

bool WriteDurably(const std::string& path, const ByteString& content,
                  [[maybe_unused]] const std::string& oldPath) {
    THandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        return false;
    }
    std::size_t done = 0;
    while (done < content.size()) {
        DWORD written = 0;
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1 << 20));
        if (!WriteFile(file.Get(), content.data() + done, chunk, &written, nullptr)) {
            return false;
        }
        done += written;
    }
    return FlushFileBuffers(file.Get()) != 0 && file.Close();
}

bool TargetWritable(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

bool RenameOver(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

#else

class TDescriptor {
  public:
    explicit TDescriptor(int fd) : fd_(fd) {}
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    ~TDescriptor() { Close(); }
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    bool Close() {
        const bool closed = !Valid() || close(fd_) == 0;
        fd_ = -1;
        return closed;
    }

  private:
    int fd_;
};

// The new file takes the old one's permissions, so a save does not change who may read it.
void KeepMode(int fd, const std::string& oldPath) {
    struct stat old {};
    if (stat(oldPath.c_str(), &old) == 0) {
        fchmod(fd, old.st_mode & 07777);
    }
}

bool WriteDurably(const std::string& path, const ByteString& content, const std::string& oldPath) {
    TDescriptor file(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!file.Valid()) {
        return false;
    }
    KeepMode(file.Get(), oldPath);
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t written = write(file.Get(), content.data() + done, content.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return fsync(file.Get()) == 0 && file.Close();
}

// rename(2) would replace a read-only file; the private-profile rules refuse to write to one.
bool TargetWritable(const std::string& path) {
    return access(path.c_str(), F_OK) != 0 || access(path.c_str(), W_OK) == 0;
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The rename itself is made durable by flushing the directory that holds it.
bool RenameOver(const std::string& from, const std::string& to) {
    if (rename(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    TDescriptor directory(open(DirectoryOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.Valid()) {
        fsync(directory.Get());
    }
    return true;
}

#endif

}  // namespace

std::string ExecutableDirectory() {
#ifdef _WIN32
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return ".";
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? "." : path.substr(0, separator);
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

bool PathExists(const std::string& path) {
#ifdef _WIN32
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
#else
    return access(path.c_str(), F_OK) == 0;
#endif
}

std::optional<ByteString> ReadFileBytes(const std::string& path) {
    TFilePtr file(std::fopen(path.c_str(), "rb"));
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

void ReplaceFileAtomically(const std::string& path, const ByteString& content) {
    if (!TargetWritable(path)) {
        throw EIniFileException(path);
    }
    TTemporaryFile temporary(TemporaryPath(path));
    if (!WriteDurably(temporary.Path(), content, path) || !RenameOver(temporary.Path(), path)) {
        throw EIniFileException(path);
    }
    temporary.Renamed();
}

std::string PathForMessage(const std::string& path) {
#ifdef _WIN32
    const int wideLength =
        MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), wide.data(),
                        wideLength);
    const int utf8Length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(utf8Length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), utf8Length, nullptr,
                        nullptr);
    return utf8;
#else
    return path;
#endif
}
