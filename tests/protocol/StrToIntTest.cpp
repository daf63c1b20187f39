#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "protocol/EConvertError.h"
#include "protocol/StrToInt.h"

namespace {

TEST(StrToInt, AcceptsDecimalAndHexadecimalForms) {
    struct TCase {
        std::string Text;
        int32_t Value;
    };
    const TCase cases[] = {
        {"5", 5},
        {"0", 0},
        {"300", 300},
        {"-1", -1},
        {"+7", 7},
        {" 7", 7},
        {"   -12", -12},
        {"007", 7},
        {"$1E", 30},
        {"x1e", 30},
        {"X1E", 30},
        {"0x1E", 30},
        {"0XfF", 255},
        {"-$10", -16},
        {"+0x10", 16},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"$7FFFFFFF", 2147483647},
        {"-$80000000", INT32_MIN},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(StrToInt(c.Text), c.Value) << '"' << c.Text << '"';
    }
}

TEST(StrToInt, RefusesEverythingElse) {
    const std::string cases[] = {
        "",
        "abc",
        "7 ",
        " ",
        "+",
        "-",
        "$",
        "0x",
        "x",
        "- 5",
        "5-",
        "1.5",
        "1e3",
        "$G",
        "0x1G",
        "2147483648",
        "-2147483649",
        "$80000000",
        "99999999999999999999",
        "\t7",
        std::string("7\0", 2),
        "12a",
        "0b101",
        "--1",
        "+-1",
        "$-1",
    };
    for (const std::string& text : cases) {
        EXPECT_THROW(StrToInt(text), EConvertError) << '"' << text << '"';
    }
}

TEST(StrToInt, MessageQuotesTheTextDecodedFromWindows1251) {
    try {
        StrToInt("\xE0\xE1\xE2");
        FAIL();
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'абв' is not a valid integer value");
    }
    try {
        StrToInt("");
        FAIL();
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'' is not a valid integer value");
    }
}

}  // namespace
