#pragma once

#include <string>
#include <string_view>

namespace irven::sim {

// Bytes on the wire; any value, 0x00 included, is data.
using TBytes = std::string;

enum class TFrameKind { Query, TextSetting, ByteSetting, Commit, Upload, Unknown };

struct TFrame {
    TFrameKind Kind = TFrameKind::Unknown;
    std::string Name;  // the setting or upload letter, the query code, "WR" for the commit
    TBytes Value;      // the text, the one byte, or the 75 code bytes
    TBytes Raw;        // every byte of the frame as received
};

// The word the log uses for a kind.
std::string_view KindName(TFrameKind kind);

}  // namespace irven::sim
