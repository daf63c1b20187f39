#include "settings/FileAccess.h"

#include <cstdio>
#include <memory>

#include "settings/FileAccessPlatform.h"
#include "settings/IniFileException.h"
#include "settings/TemporaryFile.h"

namespace {

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFilePtr = std::unique_ptr<std::FILE, TFileCloser>;

}  // namespace

bool MakeDirectories(const std::string& path) {
    for (std::size_t end = path.find_first_of("/\\", 1);;
         end = path.find_first_of("/\\", end + 1)) {
        const bool made = MakeDirectory(path.substr(0, end));
        if (end == std::string::npos) {
            return made && PathExists(path);
        }
    }
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
