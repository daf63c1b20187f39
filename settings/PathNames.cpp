#include "settings/PathNames.h"

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of(PathSeparators());
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

std::string JoinPath(const std::string& directory, std::string_view name) {
    std::string path = directory;
    if (path.empty() || PathSeparators().find(path.back()) == std::string_view::npos) {
        path += PathSeparator();
    }
    return path + std::string(name);
}
