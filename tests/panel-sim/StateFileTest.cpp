#include "tools/panel-sim/StateFile.h"

#include <gtest/gtest.h>

#include "testing/TempDir.h"

namespace irven::sim {
namespace {

using namespace std::string_literals;

TPanelState AwkwardState() {
    TPanelState state = DefaultPanelState();
    state.Text(TTextSetting::ObjectCode) = "a\"b\\c;\0\n\xFF"s;
    state.Text(TTextSetting::Sim1Apn) = "\xE8\xED\xF2\xE5\xF0\xED\xE5\xF2";  // Windows-1251 text
    state.Text(TTextSetting::SmsNumber2) = "";
    state.Byte(TByteSetting::TestPeriod) = 0;
    state.Byte(TByteSetting::SmsMode) = 255;
    state.EventCodes.replace(0, 3, "\0;\""s);
    state.RestoreCodes.replace(72, 3, "\\\t ");
    state.Journal.clear();
    for (int i = 0; i < 400; ++i) {
        state.Journal += static_cast<char>(i);
    }
    return state;
}

TEST(StateFile, EveryByteSurvivesTheRoundTrip) {
    for (const TPanelState& state : {DefaultPanelState(), AwkwardState()}) {
        const std::string text = FormatState(state);
        EXPECT_EQ(ParseState(text), state);
        for (const char c : text) {
            EXPECT_TRUE(c == '\n' || (c >= ' ' && c < 0x7F)) << "unreadable byte in the file";
        }
    }
}

TEST(StateFile, KeysLeftOutKeepTheirDefaults) {
    TPanelState expected = DefaultPanelState();
    expected.Text(TTextSetting::ObjectCode) = "1234";
    expected.EventCodes.replace(3, 3, "999");
    expected.Journal = "\x04\x4D";
    EXPECT_EQ(ParseState("# comment\n\n  ObjectCode = \"1234\"  \r\nEventCode.2=\"999\"\n"
                         "Journal = 4 77\n"),
              expected);
}

std::string TooLongJournal() {
    std::string line = "Journal =";
    for (std::size_t i = 0; i <= kMaxJournal; ++i) {
        line += " 4";
    }
    return line;
}

TEST(StateFile, RejectsMalformedLinesNamingTheLine) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"Colour = 1", "line 1: unknown key \"Colour\""},
        {"\nObjectCode 1234", "line 2: expected \"Key = value\""},
        {"ObjectCode = 1234", "expected a quoted text"},
        {"ObjectCode = \"a\"b\"", "a quote inside a text"},
        {"ObjectCode = \"\\q00\"", "a backslash starts an escape"},
        {"ObjectCode = \"\\x4\"", "a backslash starts an escape"},
        {"ObjectCode = \"\\xG0\"", "two-digit hex escape"},
        {"TestPeriod = 256", "number from 0 to 255"},
        {"TestPeriod = -1", "number from 0 to 255"},
        {"TestPeriod =", "number from 0 to 255"},
        {"EventCode.26 = \"000\"", "unknown key"},
        {"EventCode.0 = \"000\"", "unknown key"},
        {"RestoreCode.1 = \"00\"", "exactly three bytes"},
        {"Journal = 4 x", "number from 0 to 255"},
        {TooLongJournal(), "at most 400 codes"},
    };
    for (const auto& [text, message] : cases) {
        try {
            ParseState(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const EStateFile& error) {
            EXPECT_NE(std::string(error.what()).find(message), std::string::npos)
                << text << " gave: " << error.what();
        }
    }
}

TEST(StateFile, SavesAndLoadsAFileAndStartsFromDefaultsWithoutOne) {
    const TTempDir dir;
    const std::string path = dir.File("panel.state");
    EXPECT_EQ(LoadStateFile(path), DefaultPanelState());
    SaveStateFile(path, AwkwardState());
    EXPECT_EQ(LoadStateFile(path), AwkwardState());
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    EXPECT_THROW(SaveStateFile(dir.File("missing/panel.state"), AwkwardState()), EStateFile);
}

}  // namespace
}  // namespace irven::sim
