#pragma once

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "serial/ByteString.h"
#include "serial/linux/UniqueFd.h"
#include "testing/OpenDescriptors.h"

// A pseudo-terminal for end-to-end tests: the component opens the slave by its path, the test
// plays the panel on the master. The test keeps a slave descriptor of its own (raw, so nothing
// is echoed or translated) to look at the line settings and the input queue.
class TPseudoTerminal {
  public:
    TPseudoTerminal() {
        int master = -1;
        int slave = -1;
        if (::openpty(&master, &slave, nullptr, nullptr, nullptr) == 0) {
            Master_.Reset(master);
            Slave_.Reset(slave);
            termios raw{};
            ::tcgetattr(slave, &raw);
            ::cfmakeraw(&raw);
            ::tcsetattr(slave, TCSANOW, &raw);
            SlavePath_ = ::ttyname(slave);
        }
    }

    bool Valid() const { return Master_.Valid() && Slave_.Valid(); }
    const std::string& SlavePath() const { return SlavePath_; }
    int Slave() const { return Slave_.Get(); }
    void CloseMaster() { Master_.Reset(); }

    // How many descriptors of this process are open on the slave, the test's own included.
    int SlaveDescriptors() const { return DescriptorsOpenOn(SlavePath_); }

    void Send(const ByteString& bytes) {
        [[maybe_unused]] const ssize_t n = ::write(Master_.Get(), bytes.data(), bytes.size());
    }

    // Waits (up to a second) until count bytes wait on the slave side.
    bool AwaitInput(size_t count) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        while (std::chrono::steady_clock::now() < deadline) {
            int waiting = 0;
            ::ioctl(Slave_.Get(), FIONREAD, &waiting);
            if (static_cast<size_t>(waiting) >= count) {
                return true;
            }
            pollfd entry{Slave_.Get(), POLLIN, 0};
            if (waiting == 0) {
                ::poll(&entry, 1, 50);
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        return false;
    }

    // What the component sent, once count bytes have come (or a second has passed).
    ByteString Receive(size_t count) {
        ByteString received;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        while (received.size() < count && std::chrono::steady_clock::now() < deadline) {
            pollfd entry{Master_.Get(), POLLIN, 0};
            if (::poll(&entry, 1, 50) <= 0) {
                continue;
            }
            char buffer[4096];
            const ssize_t n = ::read(Master_.Get(), buffer, sizeof buffer);
            if (n <= 0) {
                break;
            }
            received.append(buffer, static_cast<size_t>(n));
        }
        return received;
    }

  private:
    TUniqueFd Master_;
    TUniqueFd Slave_;
    std::string SlavePath_;
};
