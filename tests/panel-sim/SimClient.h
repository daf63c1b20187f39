#pragma once

#include <chrono>
#include <string>

#include "tools/panel-sim/FileDescriptor.h"

namespace irven::sim::test {

using namespace std::chrono_literals;

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
