#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "serial/linux/UniqueFd.h"

// A program started by a test, with pipes on its standard output and error (when asked for).
// The destructor ends it by its PID if it still runs: SIGTERM, so that it can clean up, then
// SIGKILL if it has not ended within 5 s.
class TChildProcess {
  public:
    struct TPipes {
        bool Stdout = true;
        bool Stderr = true;
    };
    TChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                  TPipes pipes);
    ~TChildProcess();
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    // One line of standard output without its end, or nothing if none came within the timeout.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);
    // Reads both pipes to their end, then waits for the exit; returns the exit status, or
    // 128 + the signal number for a program ended by a signal.
    int Finish(std::string& out, std::string& err);
    // Waits for the exit at most this long; nothing if the program still runs.
    std::optional<int> WaitExit(std::chrono::milliseconds timeout);
    bool Running();
    // Sends the signal, then waits for the exit at most 5 s; nothing if the program still runs.
    std::optional<int> Stop(int signal);

  private:
    int Reap(int options);

    pid_t pid_ = -1;
    std::optional<int> status_;
    TUniqueFd out_;
    TUniqueFd err_;
    std::string outBuffer_;
};
