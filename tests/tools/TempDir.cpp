#include "tests/tools/TempDir.h"

#include <cstdlib>
#include <system_error>

namespace irven::sim::test {

TTempDir::TTempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "irven-panel-sim-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::system_error(errno, std::generic_category(), "mkdtemp");
    }
    path_ = pattern;
}

TTempDir::~TTempDir() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

}  // namespace irven::sim::test
