#include "tools/panel-sim/SymbolicLink.h"

#include <system_error>
#include <utility>

namespace irven::sim {

namespace fs = std::filesystem;

TSymbolicLink::TSymbolicLink(const fs::path& target, fs::path link)
    : target_(target), link_(std::move(link)) {
    const auto status = fs::symlink_status(link_);
    if (fs::is_symlink(status)) {
        fs::remove(link_);
    } else if (fs::exists(status)) {
        throw fs::filesystem_error("will not replace a file that is not a symbolic link", link_,
                                   std::make_error_code(std::errc::file_exists));
    }
    fs::create_symlink(target_, link_);
}

TSymbolicLink::~TSymbolicLink() {
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(link_, error)) &&
        fs::read_symlink(link_, error) == target_) {
        fs::remove(link_, error);
    }
}

}  // namespace irven::sim
