#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "tools/panel-sim/PanelState.h"

namespace irven::sim {

class EStateFile : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The simulator's own state file: one "Key = value" line per item. Texts and codes are quoted,
// with \xHH for every byte outside printable ASCII and for the quote and backslash; the byte
// settings are decimal; the journal is one line of decimal codes. Keys left out keep their
// defaults; "#" starts a comment line.
TPanelState ParseState(const std::string& text);
std::string FormatState(const TPanelState& state);

// A file that does not exist gives the default state.
TPanelState LoadStateFile(const std::filesystem::path& path);
// Written beside the target and renamed over it, so a reader never sees half a file.
void SaveStateFile(const std::filesystem::path& path, const TPanelState& state);

}  // namespace irven::sim
