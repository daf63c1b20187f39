// Start-up time to the first painted frame and peak resident memory of the configurator's window,
// side by side with a bare Qt window of the same widgets, both offscreen and in the same run.
// Usage: bench-startup [runs, default 15]

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct TSample {
    double Milliseconds = 0;
    long PeakKilobytes = 0;
};

// Starts the probe, waits for its "painted" line and its exit.
TSample RunProbe(const char* path) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(path), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        throw std::runtime_error(std::string("cannot start ") + path);
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
        throw std::runtime_error(std::string(path) + " did not paint its window");
    }
    return {std::chrono::duration<double, std::milli>(painted - start).count(), usage.ru_maxrss};
}

template <typename T>
T Median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::vector<const char*> probes{IRVEN_WINDOW_PROBE, IRVEN_BARE_PROBE};
    std::vector<std::vector<double>> times(probes.size());
    std::vector<std::vector<long>> peaks(probes.size());
    try {
        for (const char* probe : probes) {
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
    std::printf("median of %d runs, QT_QPA_PLATFORM=offscreen\n", runs);
    std::printf("%-22s %10s %14s\n", "", "first frame", "peak memory");
    std::printf("%-22s %8.1f ms %11.1f MB\n", "irven-configurator", windowTime, windowPeak);
    std::printf("%-22s %8.1f ms %11.1f MB\n", "bare Qt window", bareTime, barePeak);
    std::printf("ratio start-up %.2f (target at most 1.50), memory %.2f (target at most 1.25)\n",
                windowTime / bareTime, windowPeak / barePeak);
    return 0;
}
