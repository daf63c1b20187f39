#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "tools/panel-sim/FileDescriptor.h"

namespace irven::sim::test {

using namespace std::chrono_literals;

// The simulator executable run as a child process. The constructor waits for the device path on
// its first line; the destructor ends the child by its PID if it still runs.
class TSimProcess {
  public:
    explicit TSimProcess(const std::vector<std::string>& arguments);
    TSimProcess(const TSimProcess&) = delete;
    TSimProcess& operator=(const TSimProcess&) = delete;
    ~TSimProcess();

    const std::string& DevicePath() const { return devicePath_; }
    bool Running();
    // Sends the signal and waits for the exit status.
    std::optional<int> Stop(int signal);
    // The exit status, or nothing if the child has not ended within the timeout.
    std::optional<int> WaitExit(std::chrono::milliseconds timeout);

  private:
    pid_t pid_ = -1;
    TFileDescriptor pidFd_;
    std::optional<int> status_;
    std::string devicePath_;
};

// Runs the executable to its end and returns its exit status and standard output.
struct TRunResult {
    int Status;
    std::string Output;
};
TRunResult RunToEnd(const std::vector<std::string>& arguments);

}  // namespace irven::sim::test
