#pragma once

#include <cstdint>

#include "serial/ByteString.h"

// Leading blanks, an optional sign, then decimal digits or hexadecimal digits after "$", "x", "X",
// "0x" or "0X", running to the end of the text; the value must fit 32-bit signed. EConvertError
// otherwise.
int32_t StrToInt(const ByteString& text);
