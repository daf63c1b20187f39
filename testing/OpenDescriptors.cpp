#include "testing/OpenDescriptors.h"

#include <filesystem>
#include <system_error>

int DescriptorsOpenOn(const std::string& path) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
        count += target == path || target == path + " (deleted)" ? 1 : 0;
    }
    return count;
}
