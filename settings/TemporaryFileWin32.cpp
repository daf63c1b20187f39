#include <windows.h>
// The security calls need windows.h first.
#include <aclapi.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

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
bool Plain(HANDLE file) {
    constexpr DWORD refused =
        FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY;
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileInformationByHandle(file, &info) && (info.dwFileAttributes & refused) == 0 &&
           info.nNumberOfLinks == 1;
}

// Sharing nothing but deletion keeps a second saver out (its open fails, and it waits) and still
// lets the rename happen. The file's owner is read through the handle.
HANDLE Open(const std::wstring& path, DWORD disposition) {
    return CreateFileW(path.c_str(), GENERIC_WRITE | READ_CONTROL, FILE_SHARE_DELETE, nullptr,
                       disposition, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// Busy while another saver, or a program that looks at new files, holds the name.
TFound OpenFixedName(const std::wstring& path, const TTemporaryFile::TOwnerCheck& ownerOf,
                     std::unique_ptr<TTemporaryFile::TOpenFile>& file) {
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
    auto held = std::make_unique<TTemporaryFile::TOpenFile>(opened);
    if (!Plain(opened) || ownerOf(*held) != TFileOwner::Mine) {
        held.reset();
        return RemoveFound(path);
    }
    file = std::move(held);
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

struct TLocalFree {
    void operator()(void* memory) const { LocalFree(memory); }
};

struct THandleClose {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

// One of the token's records; empty when it cannot be read.
std::vector<BYTE> TokenRecord(HANDLE token, TOKEN_INFORMATION_CLASS kind) {
    DWORD size = 0;
    GetTokenInformation(token, kind, nullptr, 0, &size);
    std::vector<BYTE> record(size);
    if (size == 0 || !GetTokenInformation(token, kind, record.data(), size, &size)) {
        record.clear();
    }
    return record;
}

}  // namespace

// The user is the token's user, and also its default owner of new files: an elevated
// administrator's files belong to the Administrators group.
TFileOwner TTemporaryFile::OwnerOf(const TOpenFile& file) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(file.Handle, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                        nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
        return TFileOwner::Unknown;
    }
    const std::unique_ptr<void, TLocalFree> ownedDescriptor(descriptor);
    HANDLE token = nullptr;
    if (owner == nullptr || !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return TFileOwner::Unknown;
    }
    const std::unique_ptr<void, THandleClose> ownedToken(token);
    const std::vector<BYTE> user = TokenRecord(token, TokenUser);
    const std::vector<BYTE> defaultOwner = TokenRecord(token, TokenOwner);
    if (user.empty() || defaultOwner.empty()) {
        return TFileOwner::Unknown;
    }
    const bool mine =
        EqualSid(owner, reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid) ||
        EqualSid(owner, reinterpret_cast<const TOKEN_OWNER*>(defaultOwner.data())->Owner);
    return mine ? TFileOwner::Mine : TFileOwner::Another;
}

TTemporaryFile::TTemporaryFile(std::string target, const TSaveRetry& retry,
                               const TOwnerCheck& ownerOf)
    : target_(std::move(target)), path_(target_ + ".tmp"), retry_(retry) {
    TFound found = TFound::Failed;
    retry_.Run([&] {
        found = OpenFixedName(Wide(path_), ownerOf, file_);
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
        file_ = Hold(OpenUniqueName(target_, path_));
    }
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
