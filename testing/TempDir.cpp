#include "testing/TempDir.h"

#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

TTempDir::TTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "irven-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::system_error(errno, std::generic_category(), "mkdtemp");
    }
    path_ = pattern;
}

TTempDir::~TTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}
