#pragma once

#include <string>
#include <vector>

#include "tests/e2e/ChildProcess.h"

// A simulated panel on a pseudo-terminal of its own, for the duration of one test.
class TPanelSim {
  public:
    explicit TPanelSim(const std::vector<std::string>& options = {});

    // The pty's slave path, to open as the serial port.
    const std::string& Path() const { return path_; }
    // Waits for the simulator to exit by itself (as it does after a hang-up).
    std::optional<int> WaitExit(std::chrono::milliseconds timeout) {
        return process_.WaitExit(timeout);
    }

  private:
    TChildProcess process_;
    std::string path_;
};
