#include "tools/cli/LineEscape.h"

#include <cstdio>

std::string EscapeForLine(const std::string& utf8) {
    std::string escaped;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            escaped += "\\\\";
        } else if (byte < 0x20 || byte == 0x7F) {
            char code[5];
            std::snprintf(code, sizeof code, "\\x%02X", byte);
            escaped += code;
        } else {
            escaped += c;
        }
    }
    return escaped;
}
