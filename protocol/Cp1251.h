#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "serial/ByteString.h"

// The one codec between the window's Unicode and the Windows-1251 bytes of frames, replies, grids
// and settings files.

class ETextConversion : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A character that Windows-1251 cannot carry. Never replaced by "?": the text is refused.
class EUnmappableText : public ETextConversion {
  public:
    explicit EUnmappableText(char32_t codePoint);
    char32_t CodePoint() const { return codePoint_; }

  private:
    char32_t codePoint_;
};

// Input that is not well-formed UTF-8; Offset is the byte where the broken sequence starts.
class EInvalidUtf8 : public ETextConversion {
  public:
    explicit EInvalidUtf8(std::size_t offset);
    std::size_t Offset() const { return offset_; }

  private:
    std::size_t offset_;
};

ByteString Utf8ToCp1251(std::string_view utf8);

// Every byte decodes; 0x98, which the code page leaves undefined, becomes U+0098 so that any byte
// string survives a round trip through Unicode.
std::string Cp1251ToUtf8(std::string_view bytes);

// "U+20AC" for a code point; used by messages that name a character.
std::string CodePointName(char32_t codePoint);
