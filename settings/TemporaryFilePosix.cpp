#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <utility>

#include "settings/PathNames.h"
#include "settings/TemporaryFile.h"

struct TTemporaryFile::TOpenFile {
    explicit TOpenFile(int fd) : Fd(fd) {}
    TOpenFile(const TOpenFile&) = delete;
    TOpenFile& operator=(const TOpenFile&) = delete;
    ~TOpenFile() { close(Fd); }

    const int Fd;
};

namespace {

// Enough for a few savers taking turns; beyond that someone keeps putting things under the name.
constexpr int FixedNameTries = 16;

enum class TFound { Held, Removed, Blocked, Failed };

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool Plain(const struct stat& file) {
    return S_ISREG(file.st_mode) && file.st_nlink == 1;
}

TFound RemoveFound(const std::string& path) {
    return unlink(path.c_str()) == 0 ? TFound::Removed : TFound::Blocked;
}

bool LockExclusive(int fd) {
    int locked = 0;
    while ((locked = flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    return locked == 0;
}

// Opens the fixed name without following a link (and without waiting for a FIFO's reader), then
// waits for the lock on it. Removed also when the saver that held the lock has renamed the file
// meanwhile: the name is then opened afresh, so a save never writes into the settings file itself.
TFound OpenFixedName(const std::string& path, const TTemporaryFile::TOwnerCheck& ownerOf,
                     std::unique_ptr<TTemporaryFile::TOpenFile>& file) {
    const int opened =
        open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (opened < 0) {
        return RemoveFound(path);
    }
    auto held = std::make_unique<TTemporaryFile::TOpenFile>(opened);
    struct stat found {};
    if (fstat(opened, &found) != 0) {
        return TFound::Failed;
    }
    if (!Plain(found) || ownerOf(*held) != TFileOwner::Mine) {
        held.reset();
        return RemoveFound(path);
    }
    struct stat named {};
    if (!LockExclusive(opened)) {
        return TFound::Failed;
    }
    if (lstat(path.c_str(), &named) != 0 || !SameFile(found, named)) {
        return TFound::Removed;
    }
    file = std::move(held);
    return TFound::Held;
}

int OpenUniqueName(const std::string& target, std::string& path) {
    std::string pattern = target + ".tmp.XXXXXX";
    const int fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd >= 0) {
        path = pattern;
    }
    return fd;
}

std::unique_ptr<TTemporaryFile::TOpenFile> Hold(int fd) {
    return fd >= 0 ? std::make_unique<TTemporaryFile::TOpenFile>(fd) : nullptr;
}

}  // namespace

TFileOwner TTemporaryFile::OwnerOf(const TOpenFile& file) {
    struct stat held {};
    if (fstat(file.Fd, &held) != 0) {
        return TFileOwner::Unknown;
    }
    return held.st_uid == geteuid() ? TFileOwner::Mine : TFileOwner::Another;
}

TTemporaryFile::TTemporaryFile(std::string target, const TSaveRetry& retry,
                               const TOwnerCheck& ownerOf)
    : target_(std::move(target)), path_(target_ + ".tmp"), retry_(retry) {
    for (int tries = 0; tries < FixedNameTries; ++tries) {
        const TFound found = OpenFixedName(path_, ownerOf, file_);
        if (found == TFound::Held || found == TFound::Failed) {
            return;
        }
        if (found == TFound::Blocked) {
            break;
        }
    }
    file_ = Hold(OpenUniqueName(target_, path_));
}

// The file is removed while the lock still keeps every other saver out of it, and closed after.
TTemporaryFile::~TTemporaryFile() {
    if (Held() && !renamed_) {
        unlink(path_.c_str());
    }
}

bool TTemporaryFile::Held() const {
    return file_ != nullptr;
}

bool TTemporaryFile::Write(const ByteString& content) {
    if (ftruncate(file_->Fd, 0) != 0) {
        return false;
    }
    // A save does not change who may read the settings file.
    struct stat old {};
    if (stat(target_.c_str(), &old) == 0) {
        fchmod(file_->Fd, old.st_mode & 07777);
    }
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t written = write(file_->Fd, content.data() + done, content.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return fsync(file_->Fd) == 0;
}

// The rename itself is made durable by flushing the directory that holds it.
bool TTemporaryFile::RenameOver() {
    if (rename(path_.c_str(), target_.c_str()) != 0) {
        return false;
    }
    renamed_ = true;
    const int directory = open(DirectoryOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0) {
        fsync(directory);
        close(directory);
    }
    return true;
}
