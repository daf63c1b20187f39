#pragma once

#include <stdexcept>

#include "serial/ByteString.h"

// A text that is not an integer. The message quotes the text, decoded from Windows-1251.
class EConvertError : public std::runtime_error {
  public:
    explicit EConvertError(const ByteString& text);
};
