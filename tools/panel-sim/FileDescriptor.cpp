#include "tools/panel-sim/FileDescriptor.h"

#include <unistd.h>

#include <cerrno>

namespace irven::sim {

void TFileDescriptor::Reset() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

void ThrowErrno(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace irven::sim
