#include "protocol/Cp1251.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iconv.h>

#include <memory>
#include <string>

namespace {

// The C library's own Windows-1251 converter serves as the reference table.
std::string ReferenceDecode(unsigned char byte) {
    std::unique_ptr<void, int (*)(iconv_t)> cd(iconv_open("UTF-8", "CP1251"), iconv_close);
    char in = static_cast<char>(byte);
    char out[8] = {};
    char* inPtr = &in;
    char* outPtr = out;
    size_t inLeft = 1;
    size_t outLeft = sizeof out;
    if (iconv(cd.get(), &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
        return {};
    }
    return std::string(out, outPtr);
}

TEST(Cp1251, EveryByteDecodesLikeTheReferenceTable) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string decoded = Cp1251ToUtf8(std::string(1, static_cast<char>(byte)));
        if (byte == 0x98) {
            EXPECT_EQ(decoded, "\xC2\x98") << "0x98 is undefined and decodes to U+0098";
        } else {
            EXPECT_EQ(decoded, ReferenceDecode(static_cast<unsigned char>(byte))) << byte;
        }
    }
}

TEST(Cp1251, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
}

TEST(Cp1251, EncodesCyrillicAndPunctuation) {
    struct TCase {
        std::string Utf8;
        std::string Bytes;
    };
    const TCase cases[] = {
        {"Пожар", "\xCF\xEE\xE6\xE0\xF0"},
        {"АЯаяЁё", "\xC0\xDF\xE0\xFF\xA8\xB8"},
        {"Ґ№€—«»", "\xA5\xB9\x88\x97\xAB\xBB"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
        {"", ""},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(Utf8ToCp1251(c.Utf8), c.Bytes) << c.Utf8;
        EXPECT_EQ(Cp1251ToUtf8(c.Bytes), c.Utf8);
    }
}

TEST(Cp1251, RefusesCharactersWithoutAWindows1251Form) {
    struct TCase {
        std::string Utf8;
        char32_t CodePoint;
        std::string Named;
    };
    const TCase cases[] = {
        {"caf\xC3\xA9", 0xE9, "U+00E9 «é»"},
        {"中", 0x4E2D, "U+4E2D «中»"},
        {"\xF0\x9F\x98\x80", 0x1F600, "U+1F600"},
        {"\xC2\x85", 0x85, "U+0085 не"},  // a control character is named by its number alone
    };
    for (const TCase& c : cases) {
        try {
            Utf8ToCp1251(c.Utf8);
            ADD_FAILURE() << "accepted " << c.Utf8;
        } catch (const EUnmappableText& error) {
            EXPECT_EQ(error.CodePoint(), c.CodePoint);
            EXPECT_THAT(error.what(), testing::HasSubstr(c.Named));
        }
    }
}

TEST(Cp1251, RefusesMalformedUtf8AtTheBrokenSequence) {
    struct TCase {
        std::string Utf8;
        std::size_t Offset;
    };
    const TCase cases[] = {
        {"\xFF", 0},              // never a UTF-8 byte
        {"ab\x80", 2},            // stray continuation byte
        {"\xC0\x80", 0},          // overlong NUL
        {"\xE0\x80\xBF", 0},      // overlong three-byte form
        {"x\xED\xA0\x80", 1},     // surrogate
        {"\xF4\x90\x80\x80", 0},  // beyond U+10FFFF
        {"\xD0", 0},              // cut off at the end
        {"\xD0\xD0\x9F", 0},      // lead byte followed by another lead byte
        {"\xE2\x82", 0},          // cut-off three-byte form
    };
    for (const TCase& c : cases) {
        try {
            Utf8ToCp1251(c.Utf8);
            ADD_FAILURE() << "accepted sequence at " << c.Offset;
        } catch (const EInvalidUtf8& error) {
            EXPECT_EQ(error.Offset(), c.Offset);
        }
    }
}

}  // namespace
