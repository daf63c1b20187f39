#pragma once

#include <chrono>
#include <fstream>
#include <string>
#include <string_view>

// What went over the wire, for evidence from the field: one JSON line per frame written and per
// read (also an empty one), {"t": seconds, "dir": "tx"|"rx", "hex": ..., "kind": ..., "name": ...},
// in the shape of the panel simulator's log so that the two compare line by line. Seen from this
// side, "tx" is a frame the tool wrote and "rx" what a read returned; a read carries the kind and
// name of the last frame written, as the simulator's reply lines do of the frame they answer.
// Each line is flushed at once so that the trace survives a crash or a pulled cable.
class TWireTrace {
  public:
    // Appends to the file; raises std::runtime_error when it cannot be opened.
    explicit TWireTrace(const std::string& path);
    // A code-table upload still being assembled goes out as it is, kind "unknown".
    ~TWireTrace();
    TWireTrace(const TWireTrace&) = delete;
    TWireTrace& operator=(const TWireTrace&) = delete;

    // The bytes one write put on the line. The uploads of the code tables, a letter and then 25
    // writes of three bytes (and ";" after restore codes), are gathered into their one frame.
    void Written(std::string_view bytes);
    void Read(std::string_view bytes);

  private:
    void WriteFrame();
    void WriteLine(const char* direction, std::string_view bytes);

    std::ofstream out_;
    std::chrono::steady_clock::time_point start_;
    std::string frame_;
    std::string kind_ = "none";
    std::string name_;
};
