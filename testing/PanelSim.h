#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "testing/ChildProcess.h"

// A simulated panel on a pseudo-terminal of its own, for the duration of one test. Its notes go
// to the test's standard error.
class TPanelSim {
  public:
    explicit TPanelSim(const std::vector<std::string>& options = {});

    // The pty's slave path, to open as the serial port.
    const std::string& Path() const { return path_; }
    bool Running() { return process_.Running(); }
    // Waits for the simulator to exit by itself (as it does after a hang-up).
    std::optional<int> WaitExit(std::chrono::milliseconds timeout) {
        return process_.WaitExit(timeout);
    }
    // Sends the signal and waits for the exit at most 5 s; nothing if the simulator still runs.
    std::optional<int> Stop(int signal) { return process_.Stop(signal); }

  private:
    TChildProcess process_;
    std::string path_;
};

struct TPanelSimRun {
    int Status = -1;
    std::string Output;
};

// Runs the simulator to its end: its exit status and standard output.
TPanelSimRun RunPanelSim(const std::vector<std::string>& arguments);
