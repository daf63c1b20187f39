#include <pty.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <string>

#include "serial/SerialPort.h"
#include "serial/linux/UniqueFd.h"

namespace {

constexpr double kTargetPercent = 0.05;

using TClock = std::chrono::steady_clock;

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The window's part: sleeps until the monitor's wake-up and then runs the waiting deliveries, as
// the event loop does with the queued call the window installs.
class TEventLoop {
  public:
    explicit TEventLoop(TSerialPort& port) : Port_(port) {
        Port_.SetSyncWakeup([this] {
            std::lock_guard lock(Mutex_);
            Woken_ = true;
            Changed_.notify_one();
        });
    }

    void RunFor(std::chrono::seconds length) {
        const auto deadline = TClock::now() + length;
        std::unique_lock lock(Mutex_);
        while (Changed_.wait_until(lock, deadline, [this] { return Woken_; })) {
            Woken_ = false;
            lock.unlock();
            Port_.ServiceSyncCalls();
            lock.lock();
        }
    }

  private:
    TSerialPort& Port_;
    std::mutex Mutex_;
    std::condition_variable Changed_;
    bool Woken_ = false;
};

struct TPhase {
    double CpuPercent = 0;
    int Deliveries = 0;
};

TPhase Idle(TEventLoop& loop, std::chrono::seconds length, const int& deliveries) {
    const int deliveredBefore = deliveries;
    const double cpuBefore = ProcessCpuSeconds();
    const auto wallBefore = TClock::now();
    loop.RunFor(length);
    const std::chrono::duration<double> wall = TClock::now() - wallBefore;
    return {100.0 * (ProcessCpuSeconds() - cpuBefore) / wall.count(), deliveries - deliveredBefore};
}

void Report(const char* name, const TPhase& phase) {
    std::printf("%-36s %.4f %% of one core, %d received-data deliveries (%s)\n", name,
                phase.CpuPercent, phase.Deliveries,
                phase.CpuPercent < kTargetPercent ? "under target" : "OVER TARGET");
}

int Run(std::chrono::seconds length) {
    int master = -1;
    int slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
        std::perror("openpty");
        return 1;
    }
    TUniqueFd masterFd(master);
    TUniqueFd slaveFd(slave);

    TSerialPort port;
    port.SetPort(ttyname(slave));
    port.SetBaudRate(br115200);
    int deliveries = 0;
    port.SetOnRxChar([&deliveries](TSerialPort&, int32_t) { ++deliveries; });
    TEventLoop loop(port);
    port.Open();

    std::printf("holding %s open for %lld s per phase\n", port.Port().c_str(),
                static_cast<long long>(length.count()));
    Report("connected, input queue empty:", Idle(loop, length, deliveries));
    const std::string unread(64, 'U');
    if (write(master, unread.data(), unread.size()) != static_cast<ssize_t>(unread.size())) {
        std::perror("write");
        return 1;
    }
    Report("connected, 64 unread bytes waiting:", Idle(loop, length, deliveries));
    port.Close();
    std::printf("target: under %.2f %% of one core in both phases\n", kTargetPercent);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const long seconds = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 20;
    try {
        return Run(std::chrono::seconds(seconds > 0 ? seconds : 20));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
