#pragma once

#include <string>

// Frames, replies and file values travel as byte strings: any byte value, 0 included, is data and
// the length is the byte count. Text inside them is single-byte Windows-1251.
using ByteString = std::string;
