#include "tools/panel-sim/SimOptions.h"

#include <gtest/gtest.h>

namespace irven::sim {
namespace {

using namespace std::chrono_literals;

TEST(SimOptions, DefaultsAnswerAfterFortyMilliseconds) {
    const TSimOptions options = ParseSimOptions({});
    EXPECT_EQ(options.ReplyWait(), 40ms);
    EXPECT_FALSE(options.Silent || options.Long || options.Help);
    EXPECT_EQ(options.Chunk, 0u);
    EXPECT_FALSE(options.HangupAfter || options.Log || options.State || options.Link);
}

TEST(SimOptions, ReadsEveryOptionInBothSpellings) {
    const TSimOptions options =
        ParseSimOptions({"--link", "/tmp/panel", "--state=s.txt", "--log", "x.jsonl", "--delay=0",
                         "--silent", "--chunk", "3", "--long", "--hangup-after=7"});
    EXPECT_EQ(options.Link, "/tmp/panel");
    EXPECT_EQ(options.State, "s.txt");
    EXPECT_EQ(options.Log, "x.jsonl");
    EXPECT_EQ(options.ReplyWait(), 0ms);
    EXPECT_TRUE(options.Silent && options.Long);
    EXPECT_EQ(options.Chunk, 3u);
    EXPECT_EQ(options.HangupAfter, 7u);
    EXPECT_EQ(ParseSimOptions({"--delay", "5", "--late", "900"}).ReplyWait(), 900ms);
    EXPECT_TRUE(ParseSimOptions({"-h"}).Help);
}

TEST(SimOptions, RejectsWhatItDoesNotKnow) {
    const std::vector<std::vector<std::string_view>> cases{
        {"--colour"},          {"--delay"},      {"--delay", "-1"},    {"--delay", "1s"},
        {"--delay", ""},       {"--chunk", "0"}, {"--hangup-after=0"}, {"--silent=yes"},
        {"--late", "9999999"}, {"stray"},
    };
    for (const auto& arguments : cases) {
        EXPECT_THROW(ParseSimOptions(arguments), EUsage) << arguments.front();
    }
}

TEST(SimOptions, HelpNamesEveryOption) {
    const std::string usage = UsageText();
    for (const char* option : {"--link", "--state", "--log", "--delay", "--silent", "--chunk",
                               "--late", "--long", "--hangup-after", "--help"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
}

}  // namespace
}  // namespace irven::sim
