#include "tools/cli/LineEscape.h"

#include <cstdio>

namespace {

// U+0080 to U+009F are encoded as 0xC2 followed by 0x80 to 0x9F.
constexpr unsigned char kC1Lead = 0xC2;
constexpr unsigned char kC1First = 0x80;
constexpr unsigned char kC1Last = 0x9F;

std::string Escaped(unsigned char code) {
    char text[5];
    std::snprintf(text, sizeof text, "\\x%02X", code);
    return text;
}

bool IsC1At(const std::string& utf8, size_t i) {
    if (static_cast<unsigned char>(utf8[i]) != kC1Lead || i + 1 == utf8.size()) {
        return false;
    }
    const auto next = static_cast<unsigned char>(utf8[i + 1]);
    return next >= kC1First && next <= kC1Last;
}

}  // namespace

std::string EscapeForLine(const std::string& utf8) {
    std::string escaped;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte == '\\') {
            escaped += "\\\\";
        } else if (byte < 0x20 || byte == 0x7F) {
            escaped += Escaped(byte);
        } else if (IsC1At(utf8, i)) {
            escaped += Escaped(static_cast<unsigned char>(utf8[++i]));
        } else {
            escaped += utf8[i];
        }
    }
    return escaped;
}
