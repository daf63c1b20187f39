#include "protocol/Cp1251.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace {

// Code points of bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F in order.
constexpr std::array<char16_t, 64> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // 0xB8
};

constexpr char32_t kFirstCyrillic = 0x0410;
constexpr char32_t kLastCyrillic = 0x044F;

char32_t DecodeByte(unsigned char byte) {
    if (byte < 0x80) {
        return byte;
    }
    if (byte >= 0xC0) {
        return kFirstCyrillic + (byte - 0xC0);
    }
    return kUpperHalf[byte - 0x80];
}

char EncodeCodePoint(char32_t codePoint) {
    if (codePoint < 0x80) {
        return static_cast<char>(codePoint);
    }
    if (codePoint >= kFirstCyrillic && codePoint <= kLastCyrillic) {
        return static_cast<char>(0xC0 + (codePoint - kFirstCyrillic));
    }
    for (std::size_t i = 0; i < kUpperHalf.size(); ++i) {
        if (kUpperHalf[i] == codePoint) {
            return static_cast<char>(0x80 + i);
        }
    }
    throw EUnmappableText(codePoint);
}

void AppendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// Reads one well-formed UTF-8 sequence at `pos` and moves past it. Overlong forms, surrogates,
// values beyond U+10FFFF and cut-off sequences are refused.
char32_t NextCodePoint(std::string_view utf8, std::size_t& pos) {
    const std::size_t start = pos;
    const auto lead = static_cast<unsigned char>(utf8[pos++]);
    if (lead < 0x80) {
        return lead;
    }
    int continuation = 0;
    char32_t codePoint = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        continuation = 1;
        codePoint = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        continuation = 2;
        codePoint = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        continuation = 3;
        codePoint = lead & 0x07;
        minimum = 0x10000;
    } else {
        throw EInvalidUtf8(start);
    }
    for (int i = 0; i < continuation; ++i) {
        if (pos >= utf8.size()) {
            throw EInvalidUtf8(start);
        }
        const auto next = static_cast<unsigned char>(utf8[pos++]);
        if ((next & 0xC0) != 0x80) {
            throw EInvalidUtf8(start);
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        throw EInvalidUtf8(start);
    }
    return codePoint;
}

bool IsControl(char32_t codePoint) {
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0);
}

std::string UnmappableMessage(char32_t codePoint) {
    std::string message = "Символ " + CodePointName(codePoint);
    if (!IsControl(codePoint)) {
        message += " «";
        AppendUtf8(message, codePoint);
        message += "»";
    }
    return message + " не имеет представления в кодировке Windows-1251";
}

}  // namespace

EUnmappableText::EUnmappableText(char32_t codePoint)
    : ETextConversion(UnmappableMessage(codePoint)), codePoint_(codePoint) {}

EInvalidUtf8::EInvalidUtf8(std::size_t offset)
    : ETextConversion("Текст не является корректным UTF-8 (байт " + std::to_string(offset) + ")"),
      offset_(offset) {}

std::string CodePointName(char32_t codePoint) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(codePoint));
    return name;
}

ByteString Utf8ToCp1251(std::string_view utf8) {
    ByteString bytes;
    bytes.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        bytes += EncodeCodePoint(NextCodePoint(utf8, pos));
    }
    return bytes;
}

std::string Cp1251ToUtf8(std::string_view bytes) {
    std::string utf8;
    utf8.reserve(bytes.size() * 2);
    for (const char byte : bytes) {
        AppendUtf8(utf8, DecodeByte(static_cast<unsigned char>(byte)));
    }
    return utf8;
}
