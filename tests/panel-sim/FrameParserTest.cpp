#include "tools/panel-sim/FrameParser.h"

#include <gtest/gtest.h>

#include <random>

#include "tools/panel-sim/Commands.h"

namespace irven::sim {
namespace {

using namespace std::string_literals;

const std::string kCodes =
    "11;\0"
    "18130373571000301311137627305520000000000000000000000000000000000000000"s;

struct TWellFormed {
    std::string Bytes;
    TFrameKind Kind;
    std::string Name;
    std::string Value;
};

std::vector<TWellFormed> WellFormedFrames() {
    std::vector<TWellFormed> frames{
        {"?JRN;", TFrameKind::Query, "JRN", ""},
        {"?EC;", TFrameKind::Query, "EC", ""},
        {"?RC;", TFrameKind::Query, "RC", ""},
        {"?BD;", TFrameKind::Query, "BD", ""},
        {"L7789;", TFrameKind::TextSetting, "L", "7789"},
        {"O;", TFrameKind::TextSetting, "O", ""},
        {"M\"+380501234567\";", TFrameKind::TextSetting, "M", "\"+380501234567\""},
        {"Ta\0b;"s, TFrameKind::TextSetting, "T", "a\0b"s},
        {"z\0;"s, TFrameKind::ByteSetting, "z", "\0"s},
        {"z;;", TFrameKind::ByteSetting, "z", ";"},
        {"q\xFF;", TFrameKind::ByteSetting, "q", "\xFF"},
        {"N\x01;", TFrameKind::ByteSetting, "N", "\x01"},
        {"!WR;", TFrameKind::Commit, "WR", ""},
        {"C" + kCodes, TFrameKind::Upload, "C", kCodes},
        {"R" + kCodes + ";", TFrameKind::Upload, "R", kCodes},
    };
    for (const auto& info : kTextSettings) {
        frames.push_back(
            {"?" + std::string(info.Query) + ";", TFrameKind::Query, std::string(info.Query), ""});
        frames.push_back({std::string(1, info.Letter) + "x;", TFrameKind::TextSetting,
                          std::string(1, info.Letter), "x"});
    }
    for (const auto& info : kByteSettings) {
        frames.push_back(
            {"?" + std::string(info.Query) + ";", TFrameKind::Query, std::string(info.Query), ""});
        frames.push_back({std::string(1, info.Letter) + "\x02;", TFrameKind::ByteSetting,
                          std::string(1, info.Letter), "\x02"});
    }
    return frames;
}

std::vector<TFrame> FeedBytewise(TFrameParser& parser, const std::string& bytes) {
    std::vector<TFrame> frames;
    for (const char byte : bytes) {
        for (TFrame& frame : parser.Feed(std::string_view(&byte, 1))) {
            frames.push_back(std::move(frame));
        }
    }
    return frames;
}

TEST(FrameParser, ReadsEveryFrameWholeOrByteByByte) {
    for (const auto& expected : WellFormedFrames()) {
        SCOPED_TRACE(expected.Bytes);
        for (const bool bytewise : {false, true}) {
            TFrameParser parser;
            const auto frames =
                bytewise ? FeedBytewise(parser, expected.Bytes) : parser.Feed(expected.Bytes);
            ASSERT_EQ(frames.size(), 1u);
            EXPECT_EQ(frames[0].Kind, expected.Kind);
            EXPECT_EQ(frames[0].Name, expected.Name);
            EXPECT_EQ(frames[0].Value, expected.Value);
            EXPECT_EQ(frames[0].Raw, expected.Bytes);
            EXPECT_TRUE(parser.Pending().empty());
        }
    }
}

TEST(FrameParser, EventCodeUploadEndsAfterItsCodesWithoutTerminator) {
    TFrameParser parser;
    EXPECT_TRUE(parser.Feed("C" + kCodes.substr(0, 74)).empty());
    const auto frames = parser.Feed(kCodes.substr(74) + "?EC;");
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].Kind, TFrameKind::Upload);
    EXPECT_EQ(frames[1].Name, "EC");
}

struct TMalformed {
    std::string Bytes;
    std::vector<std::pair<TFrameKind, std::string>> Frames;  // kind and raw bytes
};

TEST(FrameParser, SkipsWhatItCannotParseUpToTheNextTerminator) {
    const std::string longText = "T" + std::string(TFrameParser::kMaxTextLength + 1, 'a') + ";";
    const std::vector<TMalformed> cases{
        {"?ZZ;?OC;", {{TFrameKind::Unknown, "?ZZ;"}, {TFrameKind::Query, "?OC;"}}},
        {"?S1X;?OC;", {{TFrameKind::Unknown, "?S1X;"}, {TFrameKind::Query, "?OC;"}}},
        {"?JRNX;", {{TFrameKind::Unknown, "?JRNX;"}}},
        {"?;", {{TFrameKind::Unknown, "?;"}}},
        {";", {{TFrameKind::Unknown, ";"}}},
        {"xyz;?OC;", {{TFrameKind::Unknown, "xyz;"}, {TFrameKind::Query, "?OC;"}}},
        {"z\x01X;?OC;", {{TFrameKind::Unknown, "z\x01X;"}, {TFrameKind::Query, "?OC;"}}},
        {"!WX;!WR;", {{TFrameKind::Unknown, "!WX;"}, {TFrameKind::Commit, "!WR;"}}},
        {"!;", {{TFrameKind::Unknown, "!;"}}},
        {"R" + kCodes + "X;", {{TFrameKind::Unknown, "R" + kCodes + "X;"}}},
        {longText + "?OC;", {{TFrameKind::Unknown, longText}, {TFrameKind::Query, "?OC;"}}},
        // A letter and a terminator alone is an empty frame; the next frame is not swallowed.
        {"z;?OC;", {{TFrameKind::Unknown, "z;"}, {TFrameKind::Query, "?OC;"}}},
        {"n;;", {{TFrameKind::ByteSetting, "n;;"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Bytes);
        TFrameParser parser;
        const auto frames = parser.Feed(c.Bytes);
        ASSERT_EQ(frames.size(), c.Frames.size());
        for (std::size_t i = 0; i < frames.size(); ++i) {
            EXPECT_EQ(frames[i].Kind, c.Frames[i].first);
            EXPECT_EQ(frames[i].Raw, c.Frames[i].second);
        }
        EXPECT_TRUE(parser.Pending().empty());
    }
}

TEST(FrameParser, EndlessGarbageStaysBounded) {
    TFrameParser parser;
    const std::string garbage(10 * TFrameParser::kMaxUnknownBytes + 7, 'x');
    const auto frames = parser.Feed(garbage);
    EXPECT_EQ(frames.size(), 10u);
    for (const auto& frame : frames) {
        EXPECT_EQ(frame.Kind, TFrameKind::Unknown);
        EXPECT_EQ(frame.Raw.size(), TFrameParser::kMaxUnknownBytes);
    }
    EXPECT_EQ(parser.Pending().size(), 7u);
    EXPECT_EQ(parser.Feed(";?OC;").back().Name, "OC");
}

// Every byte that goes in comes out in exactly one frame, in order, or is still pending; and each
// frame has the shape of its kind. Checked over random streams cut at random places.
TEST(FrameParser, RandomBytesAreAccountedForInOrder) {
    std::mt19937 random(20240611);
    const std::string alphabet = "?;!WRCzqNnSTLOMEBJ12\0\xFF"s;
    for (int round = 0; round < 300; ++round) {
        std::string input;
        const int length = std::uniform_int_distribution(0, 600)(random);
        for (int i = 0; i < length; ++i) {
            input += random() % 2 ? alphabet[random() % alphabet.size()]
                                  : static_cast<char>(random() & 0xFF);
        }
        TFrameParser parser;
        std::string seen;
        for (std::size_t at = 0; at < input.size();) {
            const std::size_t piece = std::min<std::size_t>(1 + random() % 40, input.size() - at);
            for (const auto& frame : parser.Feed(std::string_view(input).substr(at, piece))) {
                seen += frame.Raw;
                const std::size_t raw = frame.Raw.size();
                switch (frame.Kind) {
                    case TFrameKind::Query:
                        EXPECT_TRUE(raw == 4 || raw == 5);
                        break;
                    case TFrameKind::ByteSetting:
                        EXPECT_EQ(raw, 3u);
                        break;
                    case TFrameKind::Upload:
                        EXPECT_EQ(frame.Value.size(), kCodeTableBytes);
                        break;
                    case TFrameKind::TextSetting:
                        EXPECT_EQ(frame.Value.find(';'), std::string::npos);
                        break;
                    default:
                        EXPECT_LE(raw, TFrameParser::kMaxUnknownBytes);
                }
            }
            at += piece;
        }
        ASSERT_EQ(seen + parser.Pending(), input);
    }
}

}  // namespace
}  // namespace irven::sim
