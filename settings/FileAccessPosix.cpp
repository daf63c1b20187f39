#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "settings/FileAccess.h"
#include "settings/FileAccessPlatform.h"
#include "settings/PathNames.h"

std::FILE* OpenForReading(const std::string& path) {
    return std::fopen(path.c_str(), "rb");
}

// rename(2) would replace a read-only file; the private-profile rules refuse to write to one.
bool TargetWritable(const std::string& path) {
    return access(path.c_str(), F_OK) != 0 || access(path.c_str(), W_OK) == 0;
}

bool MakeDirectory(const std::string& path) {
    return mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

std::string ExecutableDirectory() {
    std::string path(PATH_MAX, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) {
        return ".";
    }
    path.resize(static_cast<std::size_t>(length));
    return DirectoryOf(path);
}

bool DirectoryWritable(const std::string& path) {
    return access(path.c_str(), W_OK | X_OK) == 0;
}

bool PathExists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}
