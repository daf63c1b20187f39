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
#include <sys/file.h>
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

// One fixed name per settings file: a save killed before its rename leaves at most this one file
// behind, and the next save of the same settings file takes it over.
std::string TemporaryPath(const std::string& path) {
    return path + ".tmp";
}

#ifdef _WIN32

std::wstring Wide(const std::string& utf8) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length,
                        nullptr, nullptr);
    return utf8;
}

std::FILE* OpenForReading(const std::string& path) {
    return _wfopen(Wide(path).c_str(), L"rb");
}

// The temporary file, held open while it is written and renamed. Sharing nothing but deletion
// keeps a second saver of the same file out (its open fails) and still lets the rename happen.
class TTemporaryFile {
  public:
    explicit TTemporaryFile(std::string path)
        : path_(std::move(path)),
          handle_(CreateFileW(Wide(path_).c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;
    ~TTemporaryFile() {
        if (!Held()) {
            return;
        }
        if (!renamed_) {
            DeleteFileW(Wide(path_).c_str());
        }
        CloseHandle(handle_);
    }

    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }

    bool Write(const ByteString& content, const std::string&) {
        std::size_t done = 0;
        while (done < content.size()) {
            DWORD written = 0;
            const DWORD chunk =
                static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1 << 20));
            if (!WriteFile(handle_, content.data() + done, chunk, &written, nullptr)) {
                return false;
            }
            done += written;
        }
        return FlushFileBuffers(handle_) != 0;
    }

    bool RenameOver(const std::string& target) {
        renamed_ = MoveFileExW(Wide(path_).c_str(), Wide(target).c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        return renamed_;
    }

  private:
    std::string path_;
    HANDLE handle_;
    bool renamed_ = false;
};

bool TargetWritable(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

#else

std::FILE* OpenForReading(const std::string& path) {
    return std::fopen(path.c_str(), "rb");
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The temporary file, locked while it is written and renamed. A second saver of the same file
// waits for the lock; should the first have renamed the file meanwhile, the second opens the name
// afresh, so it never writes into a file that is already the settings file.
class TTemporaryFile {
  public:
    explicit TTemporaryFile(std::string path) : path_(std::move(path)) {
        TAttempt attempt = TAttempt::Moved;
        while (attempt == TAttempt::Moved) {
            attempt = Attempt();
        }
    }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;
    ~TTemporaryFile() {
        if (!Held()) {
            return;
        }
        // Removed while the lock still keeps every other saver out of it.
        if (!renamed_) {
            unlink(path_.c_str());
        }
        close(fd_);
    }

    bool Held() const { return fd_ >= 0; }

    bool Write(const ByteString& content, const std::string& oldPath) {
        if (ftruncate(fd_, 0) != 0) {
            return false;
        }
        KeepMode(oldPath);
        std::size_t done = 0;
        while (done < content.size()) {
            const ssize_t written = write(fd_, content.data() + done, content.size() - done);
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                return false;
            }
            done += static_cast<std::size_t>(written);
        }
        return fsync(fd_) == 0;
    }

    // The rename itself is made durable by flushing the directory that holds it.
    bool RenameOver(const std::string& target) {
        if (rename(path_.c_str(), target.c_str()) != 0) {
            return false;
        }
        renamed_ = true;
        const int directory = open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (directory >= 0) {
            fsync(directory);
            close(directory);
        }
        return true;
    }

  private:
    enum class TAttempt { Held, Moved, Failed };

    // Opens the name and waits for the lock on it: Moved when the saver that held the lock has
    // renamed the file meanwhile.
    TAttempt Attempt() {
        const int fd = open(path_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) {
            return TAttempt::Failed;
        }
        struct stat held {};
        struct stat named {};
        if (!LockExclusive(fd) || fstat(fd, &held) != 0) {
            close(fd);
            return TAttempt::Failed;
        }
        const int found = stat(path_.c_str(), &named);
        if (found != 0 || !SameFile(held, named)) {
            const bool moved = found == 0 || errno == ENOENT;
            close(fd);
            return moved ? TAttempt::Moved : TAttempt::Failed;
        }
        fd_ = fd;
        return TAttempt::Held;
    }

    static bool LockExclusive(int fd) {
        int locked = 0;
        while ((locked = flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
        }
        return locked == 0;
    }

    // The new file takes the old one's permissions, so a save does not change who may read it.
    void KeepMode(const std::string& oldPath) {
        struct stat old {};
        if (stat(oldPath.c_str(), &old) == 0) {
            fchmod(fd_, old.st_mode & 07777);
        }
    }

    std::string path_;
    int fd_ = -1;
    bool renamed_ = false;
};

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

void ReplaceFileAtomically(const std::string& path, const ByteString& content) {
    if (!TargetWritable(path)) {
        throw EIniFileException(path);
    }
    TTemporaryFile temporary(TemporaryPath(path));
    if (!temporary.Held() || !temporary.Write(content, path) || !temporary.RenameOver(path)) {
        throw EIniFileException(path);
    }
}
