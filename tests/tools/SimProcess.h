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

// A client of the simulated panel: opens the device path raw, as the configurator opens a port.
class TSimClient {
  public:
    explicit TSimClient(const std::string& path);

    void Write(const std::string& bytes);
    // Reads until count bytes have come or the timeout has run out.
    std::string Read(std::size_t count, std::chrono::milliseconds timeout = 2s);
    // Reads whatever arrives until nothing has come for the quiet time.
    std::string ReadUntilQuiet(std::chrono::milliseconds quiet = 100ms);
    // True once the simulator has closed its side of the terminal.
    bool HungUp(std::chrono::milliseconds timeout = 2s);

  private:
    TFileDescriptor fd_;
};

std::string ReadFile(const std::string& path);

}  // namespace irven::sim::test
