#pragma once

#include <cstdint>
#include <stdexcept>

#include "serial/ByteString.h"

// A text that is not an integer. The message quotes the text, decoded from Windows-1251.
class EConvertError : public std::runtime_error {
  public:
    explicit EConvertError(const ByteString& text);
};

// Leading blanks, an optional sign, then decimal digits or hexadecimal digits after "$", "x", "X",
// "0x" or "0X", running to the end of the text; the value must fit 32-bit signed.
int32_t StrToInt(const ByteString& text);
