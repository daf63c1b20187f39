#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "tools/panel-sim/Frame.h"

namespace irven::sim {

enum class TDirection { Received, Sent };

// One JSON object per line for every frame received and every piece of reply sent, flushed at
// once so that a test or a technician can follow the wire while the simulator runs.
class TFrameLog {
  public:
    // Appends to the file; raises std::runtime_error when it cannot be opened.
    explicit TFrameLog(const std::filesystem::path& path);

    void Write(double seconds, TDirection direction, std::string_view bytes, TFrameKind kind,
               std::string_view name);

  private:
    std::ofstream out_;
};

std::string LogLine(double seconds, TDirection direction, std::string_view bytes, TFrameKind kind,
                    std::string_view name);
std::string HexText(std::string_view bytes);

}  // namespace irven::sim
