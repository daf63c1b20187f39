#pragma once

#include <cstdint>

#include "serial/ByteString.h"

inline constexpr char kFrameEnd = ';';
inline constexpr char kCommitFrame[] = "!WR;";

// Letter, the text unchanged, ";".
ByteString TextSettingFrame(char letter, const ByteString& text);
// Letter, one byte holding the number itself (not a digit), ";". Always three bytes.
ByteString ByteSettingFrame(char letter, uint8_t value);
