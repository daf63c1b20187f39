#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A frame of the command language as the trace names it: the kind ("query", "text-setting",
// "byte-setting", "commit", "upload" or "unknown") and the name (the query code, the setting or
// upload letter, "WR" for the commit, the first byte of an unknown frame when it is printable).
struct TWireFrame {
    std::string Kind;
    std::string Name;
};

TWireFrame DescribeFrame(std::string_view frame);

// How many bytes the frame that starts with this byte takes when it is sent in several writes (a
// code-table upload); 0 when one write carries the whole frame.
std::size_t AssembledFrameLength(char first);
