#include "tools/panel-sim/PseudoTerminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>

#include <array>

namespace irven::sim {

namespace {

void MakeRaw(int fd) {
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0) {
        ThrowErrno("tcgetattr");
    }
    ::cfmakeraw(&settings);
    if (::tcsetattr(fd, TCSANOW, &settings) != 0) {
        ThrowErrno("tcsetattr");
    }
}

}  // namespace

TPseudoTerminal::TPseudoTerminal()
    : master_(::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {
    if (!master_.IsOpen()) {
        ThrowErrno("posix_openpt");
    }
    if (::grantpt(master_.Get()) != 0 || ::unlockpt(master_.Get()) != 0) {
        ThrowErrno("unlocking the pseudo-terminal");
    }
    std::array<char, 128> name{};
    if (::ptsname_r(master_.Get(), name.data(), name.size()) != 0) {
        ThrowErrno("ptsname_r");
    }
    slavePath_ = name.data();
    slave_ = TFileDescriptor(::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!slave_.IsOpen()) {
        ThrowErrno("opening " + slavePath_);
    }
    MakeRaw(slave_.Get());
}

void TPseudoTerminal::Close() {
    slave_.Reset();
    master_.Reset();
}

}  // namespace irven::sim
