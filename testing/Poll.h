#pragma once

#include <poll.h>

#include <chrono>

// The events that came on fd within the timeout; 0 if none did.
inline int PollFor(int fd, short events, std::chrono::milliseconds timeout) {
    pollfd entry{fd, events, 0};
    const int ready = ::poll(&entry, 1, static_cast<int>(timeout.count()));
    return ready > 0 ? entry.revents : 0;
}
