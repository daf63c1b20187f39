#include "tests/panel-sim/SimClient.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <sstream>

#include "testing/Poll.h"

namespace irven::sim::test {

TSimClient::TSimClient(const std::string& path)
    : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {
    if (!fd_.IsOpen()) {
        ThrowErrno("opening " + path);
    }
    termios settings{};
    ::tcgetattr(fd_.Get(), &settings);
    ::cfmakeraw(&settings);
    ::tcsetattr(fd_.Get(), TCSANOW, &settings);
}

void TSimClient::Write(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(fd_.Get(), bytes.data() + done, bytes.size() - done);
        if (count < 0) {
            if (errno != EAGAIN) {
                ThrowErrno("writing the simulator's terminal");
            }
            PollFor(fd_.Get(), POLLOUT, 1s);
            continue;
        }
        done += static_cast<std::size_t>(count);
    }
}

std::string TSimClient::Read(std::size_t count, std::chrono::milliseconds timeout) {
    std::string out;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (out.size() < count) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left <= 0ms || (PollFor(fd_.Get(), POLLIN, left) & POLLIN) == 0) {
            break;
        }
        char buffer[512];
        const ssize_t got = ::read(fd_.Get(), buffer, std::min(sizeof buffer, count - out.size()));
        if (got <= 0) {
            break;
        }
        out.append(buffer, static_cast<std::size_t>(got));
    }
    return out;
}

std::string TSimClient::ReadUntilQuiet(std::chrono::milliseconds quiet) {
    std::string out;
    while ((PollFor(fd_.Get(), POLLIN, quiet) & POLLIN) != 0) {
        char buffer[512];
        const ssize_t got = ::read(fd_.Get(), buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        out.append(buffer, static_cast<std::size_t>(got));
    }
    return out;
}

bool TSimClient::HungUp(std::chrono::milliseconds timeout) {
    if ((PollFor(fd_.Get(), POLLIN | POLLHUP, timeout) & (POLLHUP | POLLERR)) != 0) {
        return true;
    }
    char byte = 0;
    return ::read(fd_.Get(), &byte, 1) < 0 && errno == EIO;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace irven::sim::test
