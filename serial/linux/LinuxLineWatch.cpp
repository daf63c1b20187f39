#include "serial/linux/LinuxLineWatch.h"

#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "serial/SerialCodes.h"

namespace {

// The kernel's input queue of a terminal holds 4096 bytes.
constexpr int kInputQueueSize = 4096;
constexpr int kSampleMs = 250;
constexpr uint32_t kCountedEvents = LineEventFlag::Err | LineEventFlag::Cts | LineEventFlag::Dsr |
                                    LineEventFlag::Rlsd | LineEventFlag::Ring;

}  // namespace

TLinuxLineWatch::TLinuxLineWatch(int deviceFd)
    : DeviceFd_(deviceFd),
      Epoll_(::epoll_create1(EPOLL_CLOEXEC)),
      Drained_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    HaveCounters_ = ::ioctl(DeviceFd_, TIOCGICOUNT, &Counters_) == 0;
}

void TLinuxLineWatch::OutputDrained() {
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(Drained_.Get(), &one, sizeof one);
}

bool TLinuxLineWatch::Add(int fd, uint32_t events) {
    epoll_event entry{};
    entry.events = events;
    entry.data.fd = fd;
    return ::epoll_ctl(Epoll_.Get(), EPOLL_CTL_ADD, fd, &entry) == 0;
}

// The device and the drain notice are added once and stay, so that an edge once reported is not
// reported again; the stop signal is level-triggered, as it stays signalled.
bool TLinuxLineWatch::Prepare(int stopFd) {
    if (!Epoll_.Valid() || !Drained_.Valid()) {
        return false;
    }
    if (!DeviceAdded_) {
        if (!Add(DeviceFd_, EPOLLIN | EPOLLRDHUP | EPOLLET) ||
            !Add(Drained_.Get(), EPOLLIN | EPOLLET)) {
            return false;
        }
        DeviceAdded_ = true;
    }
    if (stopFd != StopFd_) {
        if (!Add(stopFd, EPOLLIN)) {
            return false;
        }
        StopFd_ = stopFd;
    }
    return true;
}

TLineWait TLinuxLineWatch::Wait(int stopFd, uint32_t watched, uint32_t& mask) {
    if (!Prepare(stopFd)) {
        return TLineWait::lwFailed;
    }
    for (;;) {
        epoll_event ready[3];
        const int count = ::epoll_wait(Epoll_.Get(), ready, 3, SampleTimeout(watched));
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return TLineWait::lwFailed;
        }
        uint32_t found = 0;
        bool hungUp = false;
        for (int i = 0; i < count; ++i) {
            const int fd = ready[i].data.fd;
            if (fd == StopFd_) {
                return TLineWait::lwStopped;
            }
            if (fd == Drained_.Get()) {
                uint64_t drains = 0;
                [[maybe_unused]] const ssize_t n = ::read(fd, &drains, sizeof drains);
                found |= LineEventFlag::TxEmpty;
            } else if (fd == DeviceFd_) {
                hungUp = ready[i].events & (EPOLLHUP | EPOLLRDHUP | EPOLLERR);
                if (ready[i].events & EPOLLIN) {
                    found |= ArrivalEvents();
                }
            }
        }
        if (hungUp) {
            return TLineWait::lwFailed;
        }
        found |= CounterEvents();
        mask = found & watched;
        if (mask != 0) {
            return TLineWait::lwEvents;
        }
    }
}

uint32_t TLinuxLineWatch::ArrivalEvents() {
    uint32_t events = LineEventFlag::RxChar;
    int waiting = 0;
    if (::ioctl(DeviceFd_, FIONREAD, &waiting) == 0 && waiting * 5 >= kInputQueueSize * 4) {
        events |= LineEventFlag::Rx80Full;
    }
    return events;
}

uint32_t TLinuxLineWatch::CounterEvents() {
    if (!HaveCounters_) {
        return 0;
    }
    serial_icounter_struct now{};
    if (::ioctl(DeviceFd_, TIOCGICOUNT, &now) != 0) {
        return 0;
    }
    const serial_icounter_struct& was = Counters_;
    uint32_t events = 0;
    events |= now.cts != was.cts ? LineEventFlag::Cts : 0;
    events |= now.dsr != was.dsr ? LineEventFlag::Dsr : 0;
    events |= now.dcd != was.dcd ? LineEventFlag::Rlsd : 0;
    events |= now.rng != was.rng ? LineEventFlag::Ring : 0;
    const bool errors = now.frame != was.frame || now.parity != was.parity ||
                        now.overrun != was.overrun || now.brk != was.brk ||
                        now.buf_overrun != was.buf_overrun;
    events |= errors ? LineEventFlag::Err : 0;
    Counters_ = now;
    return events;
}

// Counters cannot wake a wait, so they are looked at now and then; nothing else needs a timeout.
int TLinuxLineWatch::SampleTimeout(uint32_t watched) const {
    return HaveCounters_ && (watched & kCountedEvents) ? kSampleMs : -1;
}
