#include "tests/e2e/TempDir.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <vector>

TTempDir::TTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "irven-e2e-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = name.data();
}

TTempDir::~TTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}
