#pragma once

#include <functional>
#include <memory>
#include <string>

#include "serial/ByteString.h"
#include "settings/SaveRetry.h"

// Whose a file is; Unknown when its owner or the running user cannot be read.
enum class TFileOwner { Mine, Another, Unknown };

// The file a save writes and flushes before renaming it over the settings file, so that the
// settings file holds its old content or the new one, never a part.
//
// Its name is fixed, NAME.tmp beside the file: a save killed before its rename leaves at most that
// one file behind, and the next save takes it over. It is also the lock between two savers of one
// file: the second waits until the first has renamed it (Linux: a lock on the open file; Windows:
// the file is held sharing nothing but deletion, and the second retries through TSaveRetry).
//
// What is found under the name is taken over only when it is a plain file of this user's (its
// owner is the user running the save), with no other name, that the save can open. Anything else
// (a symbolic link, which is never followed, another user's file, a FIFO) is removed and the file
// made afresh; where it cannot be removed either (another user's file in a folder that protects
// it), the save writes a file of a unique name instead, so that nothing left under the fixed name
// blocks a save.
class TTemporaryFile {
  public:
    // The file as the platform holds it open, closed when it goes.
    struct TOpenFile;
    // Asked about each file opened under the fixed name, the save's own new one too; a file is
    // taken over only when the answer is Mine.
    using TOwnerCheck = std::function<TFileOwner(const TOpenFile& file)>;

    // The file's owner against the user running the program.
    static TFileOwner OwnerOf(const TOpenFile& file);

    TTemporaryFile(std::string target, const TSaveRetry& retry,
                   const TOwnerCheck& ownerOf = OwnerOf);
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;
    // Removes the file unless it was renamed.
    ~TTemporaryFile();

    bool Held() const;
    // Replaces the file's content and flushes it to the disk; a new file keeps the target's
    // permissions. False on failure.
    bool Write(const ByteString& content);
    // Renames the file over the target, durably; false on failure.
    bool RenameOver();

  private:
    std::string target_;
    std::string path_;
    [[maybe_unused]] const TSaveRetry& retry_;
    std::unique_ptr<TOpenFile> file_;
    bool renamed_ = false;
};
