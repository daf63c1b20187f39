#include "protocol/StrToInt.h"

#include <cstddef>
#include <limits>

#include "protocol/EConvertError.h"

namespace {

int DigitValue(char c, int base) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (base == 16 && c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (base == 16 && c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Moves past a hexadecimal prefix and tells the base of the digits that follow.
int SkipPrefix(const ByteString& text, std::size_t& pos) {
    if (pos < text.size() && (text[pos] == '$' || text[pos] == 'x' || text[pos] == 'X')) {
        ++pos;
        return 16;
    }
    if (pos + 1 < text.size() && text[pos] == '0' &&
        (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        pos += 2;
        return 16;
    }
    return 10;
}

}  // namespace

int32_t StrToInt(const ByteString& text) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const int base = SkipPrefix(text, pos);
    if (pos == text.size()) {
        throw EConvertError(text);
    }
    // The magnitude of the most negative value is one more than the largest positive one.
    const int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + (negative ? 1 : 0);
    int64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = DigitValue(text[pos], base);
        if (digit < 0) {
            throw EConvertError(text);
        }
        magnitude = magnitude * base + digit;
        if (magnitude > limit) {
            throw EConvertError(text);
        }
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}
