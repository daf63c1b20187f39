#include "serial/linux/LinuxStopSignal.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

TLinuxStopSignal::TLinuxStopSignal() : Fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

void TLinuxStopSignal::Signal() {
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(Fd_.Get(), &one, sizeof one);
}
