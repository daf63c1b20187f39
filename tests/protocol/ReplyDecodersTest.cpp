#include "protocol/ReplyDecoders.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using namespace std::string_literals;

TEST(ReplyDecoders, TextEndsBeforeTheFirstZeroByte) {
    struct TCase {
        ByteString Reply;
        ByteString Text;
    };
    const TCase cases[] = {
        {"", ""},       {"internet", "internet"},         {"10.0\0.1"s, "10.0"},
        {"\0abc"s, ""}, {" padded \r\n", " padded \r\n"}, {"\xCF\xEE\xE6", "\xCF\xEE\xE6"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(DecodeTextReply(c.Reply), c.Text);
    }
}

TEST(ReplyDecoders, ByteRepliesUseTheFirstByteOnly) {
    struct TCase {
        ByteString Reply;
        std::optional<ByteString> Period;
        std::optional<bool> Mode;
        std::optional<TTransport> Transport;
    };
    const TCase cases[] = {
        {"", std::nullopt, std::nullopt, std::nullopt},
        {"\x00"s, "0", false, std::nullopt},
        {"\x01", "1", true, TTransport::TCP},
        {"\x02", "2", std::nullopt, TTransport::UDP},
        {"\x03", "3", std::nullopt, std::nullopt},
        {"1", "49", std::nullopt, std::nullopt},  // the digit character is not the number
        {"\x05\x37", "5", std::nullopt, std::nullopt},
        {"\xFF", "255", std::nullopt, std::nullopt},
        {"\x01\x00"s, "1", true, TTransport::TCP},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(DecodePeriodReply(c.Reply), c.Period);
        EXPECT_EQ(DecodeModeReply(c.Reply), c.Mode);
        EXPECT_EQ(DecodeTransportReply(c.Reply), c.Transport);
    }
}

TEST(ReplyDecoders, CodeSlicesStopAtTheEndOfTheReply) {
    const ByteString reply = "1101181303";  // ten bytes
    struct TCase {
        int Row;
        ByteString Code;
    };
    const TCase cases[] = {{1, "110"}, {3, "130"}, {4, "3"}, {5, ""}, {25, ""}, {0, ""}, {-1, ""}};
    for (const TCase& c : cases) {
        EXPECT_EQ(CodeFromReply(reply, c.Row), c.Code) << c.Row;
    }
}

}  // namespace
