#include "testing/TempDir.h"

#include <filesystem>
#include <random>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

TTempDir::TTempDir() {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            fs::temp_directory_path() / ("irven-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            const std::u8string utf8 = candidate.u8string();
            path_.assign(utf8.begin(), utf8.end());
            return;
        }
    }
    throw std::runtime_error("no free name for a temporary directory");
}

TTempDir::~TTempDir() {
    std::error_code ignored;
    fs::remove_all(fs::path(std::u8string(path_.begin(), path_.end())), ignored);
}
