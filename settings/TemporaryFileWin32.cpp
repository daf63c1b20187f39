#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "settings/TemporaryFile.h"
#include "settings/Win32Text.h"

struct TTemporaryFile::TOpenFile {
    explicit TOpenFile(HANDLE handle) : Handle(handle) {}
    TOpenFile(const TOpenFile&) = delete;
    TOpenFile& operator=(const TOpenFile&) = delete;
    ~TOpenFile() { CloseHandle(Handle); }

    const HANDLE Handle;
};

namespace {

constexpr int UniqueNameTries = 100;

enum class TFound { Held, Busy, Removed, Blocked, Failed };

TFound RemoveFound(const std::wstring& path) {
    return DeleteFileW(path.c_str()) ? TFound::Removed : TFound::Blocked;
}

bool HeldElsewhere(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// A plain file with no other name; a link is opened as itself, never followed. A read-only one is
// not taken over even where it could be opened (as by an administrator): the settings file would
// inherit the attribute.
bool Ours(HANDLE file) {
    constexpr DWORD refused =
        FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY;
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileInformationByHandle(file, &info) && (info.dwFileAttributes & refused) == 0 &&
           info.nNumberOfLinks == 1;
}

// Sharing nothing but deletion keeps a second saver out (its open fails, and it waits) and still
// lets the rename happen.
HANDLE Open(const std::wstring& path, DWORD disposition) {
    return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// Busy while another saver, or a program that looks at new files, holds the name.
TFound OpenFixedName(const std::wstring& path, HANDLE& handle) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return RemoveFound(path);
    }
    const HANDLE opened = Open(path, OPEN_ALWAYS);
    if (opened == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (HeldElsewhere(error)) {
            return TFound::Busy;
        }
        return error == ERROR_ACCESS_DENIED ? RemoveFound(path) : TFound::Failed;
    }
    if (!Ours(opened)) {
        CloseHandle(opened);
        return RemoveFound(path);
    }
    handle = opened;
    return TFound::Held;
}

HANDLE OpenUniqueName(const std::string& target, std::string& path) {
    for (int n = 0; n < UniqueNameTries; ++n) {
        const std::string name =
            target + ".tmp." + std::to_string(GetCurrentProcessId()) + "." + std::to_string(n);
        const HANDLE handle = Open(Wide(name), CREATE_NEW);
        if (handle != INVALID_HANDLE_VALUE) {
            path = name;
            return handle;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    return INVALID_HANDLE_VALUE;
}

std::unique_ptr<TTemporaryFile::TOpenFile> Hold(HANDLE handle) {
    return handle != INVALID_HANDLE_VALUE ? std::make_unique<TTemporaryFile::TOpenFile>(handle)
                                          : nullptr;
}

}  // namespace

TTemporaryFile::TTemporaryFile(std::string target, const TSaveRetry& retry)
    : target_(std::move(target)), path_(target_ + ".tmp"), retry_(retry) {
    HANDLE handle = INVALID_HANDLE_VALUE;
    TFound found = TFound::Failed;
    retry_.Run([&] {
        found = OpenFixedName(Wide(path_), handle);
        switch (found) {
            case TFound::Held:
                return TSaveRetry::TOutcome::Done;
            case TFound::Busy:
            case TFound::Removed:
                return TSaveRetry::TOutcome::Held;
            default:
                return TSaveRetry::TOutcome::Failed;
        }
    });
    if (found == TFound::Blocked) {
        handle = OpenUniqueName(target_, path_);
    }
    file_ = Hold(handle);
}

TTemporaryFile::~TTemporaryFile() {
    if (Held() && !renamed_) {
        DeleteFileW(Wide(path_).c_str());
    }
}

bool TTemporaryFile::Held() const {
    return file_ != nullptr;
}

bool TTemporaryFile::Write(const ByteString& content) {
    if (SetFilePointer(file_->Handle, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
        !SetEndOfFile(file_->Handle)) {
        return false;
    }
    std::size_t done = 0;
    while (done < content.size()) {
        DWORD written = 0;
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1 << 20));
        if (!WriteFile(file_->Handle, content.data() + done, chunk, &written, nullptr)) {
            return false;
        }
        done += written;
    }
    return FlushFileBuffers(file_->Handle) != 0;
}

// A settings file that another program has open without sharing deletion cannot be replaced until
// that program lets go of it.
bool TTemporaryFile::RenameOver() {
    const std::wstring from = Wide(path_);
    const std::wstring to = Wide(target_);
    renamed_ = retry_.Run([&] {
        if (MoveFileExW(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return TSaveRetry::TOutcome::Done;
        }
        const DWORD error = GetLastError();
        return HeldElsewhere(error) || error == ERROR_ACCESS_DENIED ? TSaveRetry::TOutcome::Held
                                                                    : TSaveRetry::TOutcome::Failed;
    });
    return renamed_;
}
