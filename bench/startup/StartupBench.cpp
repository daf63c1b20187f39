// Start-up time to the first painted frame and peak resident memory of the configurator's window,
// side by side with a bare Qt window of the same widgets, in the same run; offscreen unless
// QT_QPA_PLATFORM says otherwise.
// Usage: bench-startup [runs, default 15] [--runner PROGRAM --window PROBE --bare PROBE]
// With a runner (wine64 for the Windows probes) each probe starts as "PROGRAM PROBE" and reports
// its own peak memory.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

// The window's start-up and peak memory at most these times the bare window's.
constexpr double kStartupTarget = 1.10;
constexpr double kMemoryTarget = 1.25;

struct TSample {
    double Milliseconds = 0;
    long PeakKilobytes = 0;
};

struct TProbeCommand {
    std::string Runner;
    std::string Probe;
};

// Starts the probe, waits for its "painted" line and its exit.
TSample RunProbe(const TProbeCommand& command) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    if (!command.Runner.empty()) {
        argv.push_back(const_cast<char*>(command.Runner.c_str()));
    }
    argv.push_back(const_cast<char*>(command.Probe.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        throw std::runtime_error("cannot start " + std::string(argv[0]));
    }
    std::string output;
    char buffer[64];
    while (output.find('\n') == std::string::npos) {
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        output.append(buffer, static_cast<std::size_t>(got));
    }
    const auto painted = std::chrono::steady_clock::now();
    close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (output.rfind("painted", 0) != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(command.Probe + " did not paint its window");
    }
    const long ownPeak = std::atol(output.c_str() + std::strlen("painted"));
    return {std::chrono::duration<double, std::milli>(painted - start).count(),
            ownPeak > 0 ? ownPeak : usage.ru_maxrss};
}

template <typename T>
T Median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 15;
    std::vector<TProbeCommand> probes{{"", IRVEN_WINDOW_PROBE}, {"", IRVEN_BARE_PROBE}};
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--runner" && hasValue) {
            probes[0].Runner = probes[1].Runner = argv[++i];
        } else if (argument == "--window" && hasValue) {
            probes[0].Probe = argv[++i];
        } else if (argument == "--bare" && hasValue) {
            probes[1].Probe = argv[++i];
        } else {
            runs = std::max(1, std::atoi(argument.c_str()));
        }
    }
    if (const char* platform = std::getenv("QT_QPA_PLATFORM"); !platform || !*platform) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    std::vector<std::vector<double>> times(probes.size());
    std::vector<std::vector<long>> peaks(probes.size());
    try {
        for (const TProbeCommand& probe : probes) {
            RunProbe(probe);
        }
        for (int run = 0; run < runs; ++run) {
            for (std::size_t i = 0; i < probes.size(); ++i) {
                const TSample sample = RunProbe(probes[i]);
                times[i].push_back(sample.Milliseconds);
                peaks[i].push_back(sample.PeakKilobytes);
            }
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "bench-startup: %s\n", failure.what());
        return 1;
    }
    const double windowTime = Median(times[0]);
    const double bareTime = Median(times[1]);
    const double windowPeak = static_cast<double>(Median(peaks[0])) / 1024.0;
    const double barePeak = static_cast<double>(Median(peaks[1])) / 1024.0;
    std::printf("median of %d runs, QT_QPA_PLATFORM=%s%s%s\n", runs, std::getenv("QT_QPA_PLATFORM"),
                probes[0].Runner.empty() ? "" : ", run by ", probes[0].Runner.c_str());
    std::printf("%-22s %10s %14s\n", "", "first frame", "peak memory");
    std::printf("%-22s %8.1f ms %11.1f MB\n", "irven-configurator", windowTime, windowPeak);
    std::printf("%-22s %8.1f ms %11.1f MB\n", "bare Qt window", bareTime, barePeak);
    std::printf("ratio start-up %.2f (target at most %.2f), memory %.2f (target at most %.2f)\n",
                windowTime / bareTime, kStartupTarget, windowPeak / barePeak, kMemoryTarget);
    return 0;
}
