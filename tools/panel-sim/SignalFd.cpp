#include "tools/panel-sim/SignalFd.h"

#include <sys/signalfd.h>
#include <unistd.h>

namespace irven::sim {

TSignalFd::TSignalFd(std::initializer_list<int> signals) {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : signals) {
        sigaddset(&set, signal);
    }
    if (::sigprocmask(SIG_BLOCK, &set, nullptr) != 0) {
        ThrowErrno("sigprocmask");
    }
    fd_ = TFileDescriptor(::signalfd(-1, &set, SFD_CLOEXEC));
    if (!fd_.IsOpen()) {
        ThrowErrno("signalfd");
    }
}

int TSignalFd::Read() {
    signalfd_siginfo info{};
    if (::read(fd_.Get(), &info, sizeof info) != static_cast<ssize_t>(sizeof info)) {
        ThrowErrno("reading the signal descriptor");
    }
    return static_cast<int>(info.ssi_signo);
}

}  // namespace irven::sim
