#include "settings/PathNames.h"

namespace {

#ifdef _WIN32
constexpr char Separator = '\\';
constexpr std::string_view Separators = "/\\";
#else
constexpr char Separator = '/';
constexpr std::string_view Separators = "/";
#endif

}  // namespace

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of(Separators);
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

std::string JoinPath(const std::string& directory, std::string_view name) {
    std::string path = directory;
    if (path.empty() || Separators.find(path.back()) == std::string_view::npos) {
        path += Separator;
    }
    return path + std::string(name);
}
