#include "tools/panel-sim/Panel.h"

#include <gtest/gtest.h>

#include <set>

#include "settings/GprsSettings.h"
#include "tests/panel-sim/DefaultReplies.h"
#include "tools/panel-sim/FrameParser.h"

namespace irven::sim {
namespace {

using namespace std::string_literals;

// Replies to the frames in bytes, concatenated.
std::string Exchange(TPanel& panel, const std::string& bytes) {
    TFrameParser parser;
    std::string replies;
    for (const auto& frame : parser.Feed(bytes)) {
        replies += panel.Handle(frame).Reply;
    }
    return replies;
}

TEST(Panel, AnswersEveryQueryWithItsShape) {
    TPanel panel(DefaultPanelState());
    std::vector<std::pair<std::string, std::string>> cases = test::DefaultReplies();
    // Not in the shared rows: over the terminal, reading an empty reply passes whatever comes.
    cases.insert(cases.end(), {{"?XX;", ""}, {"garbage;", ""}});
    for (const auto& [query, reply] : cases) {
        EXPECT_EQ(Exchange(panel, query), reply) << query;
    }
}

TEST(Panel, StartsWithTheConfiguratorsDefaults) {
    const TGprsSettings defaults;
    const TPanelState state = DefaultPanelState();
    EXPECT_EQ(state.Text(TTextSetting::ObjectCode), defaults.ObjectCode);
    EXPECT_EQ(std::to_string(state.Byte(TByteSetting::TestPeriod)), defaults.TestPeriod);
    EXPECT_EQ(state.Text(TTextSetting::SmsNumber1), defaults.SmsNumber1);
    EXPECT_EQ(state.Text(TTextSetting::SmsNumber2), defaults.SmsNumber2);
    EXPECT_EQ(state.Byte(TByteSetting::SmsMode), defaults.SmsMode ? 1 : 0);
    EXPECT_EQ(state.Byte(TByteSetting::GprsMode), defaults.GprsMode ? 1 : 0);
    EXPECT_EQ(state.Text(TTextSetting::Sim1Apn), defaults.Sim1.Apn);
    EXPECT_EQ(state.Text(TTextSetting::Sim2Apn), defaults.Sim2.Apn);
    EXPECT_EQ(state.Text(TTextSetting::Sim1ServerAddress), defaults.Sim1.ServerAddress);
    EXPECT_EQ(state.Text(TTextSetting::Sim2ServerAddress), defaults.Sim2.ServerAddress);
    EXPECT_EQ(state.Text(TTextSetting::Sim1ServerPort), defaults.Sim1.ServerPort);
    EXPECT_EQ(state.Text(TTextSetting::Sim2ServerPort), defaults.Sim2.ServerPort);
    EXPECT_EQ(state.Text(TTextSetting::Sim1LocalPort), defaults.Sim1.LocalPort);
    EXPECT_EQ(state.Text(TTextSetting::Sim2LocalPort), defaults.Sim2.LocalPort);
    EXPECT_EQ(state.Byte(TByteSetting::Sim1Transport), static_cast<int>(defaults.Sim1.Transport));
    EXPECT_EQ(state.Byte(TByteSetting::Sim2Transport), static_cast<int>(defaults.Sim2.Transport));
}

TEST(Panel, DefaultJournalTouchesEveryColourClassAndCodesOutsideTheTable) {
    const std::string journal = DefaultPanelState().Journal;
    EXPECT_GE(journal.size(), 24u);
    const std::set<unsigned char> codes(journal.begin(), journal.end());
    // One code of each colour class: green, highlight, red, yellow, olive, lime, journal cleared.
    for (const int code : {4, 16, 24, 40, 71, 74, 77}) {
        EXPECT_TRUE(codes.contains(code)) << code;
    }
    EXPECT_TRUE(codes.contains(3) && codes.contains(84));
}

TEST(Panel, SettingsChangeTheWorkingStateAndTheCommitKeepsThem) {
    TPanel panel(DefaultPanelState());
    const std::string writes =
        "S10.0.0.1;s10.0.0.2;OAB\0C;Tapn.one;t;L1;l22;P333;p4444;M\"+1\";m\"+2\";"
        "z\x01;g\0;N\x02;n\x01;q;;"s;
    EXPECT_EQ(Exchange(panel, writes), "");
    EXPECT_EQ(panel.Committed(), DefaultPanelState());

    const std::vector<std::pair<std::string, std::string>> readBack{
        {"?S1;", "10.0.0.1"}, {"?S2;", "10.0.0.2"}, {"?OC;", "AB\0C"s}, {"?A1;", "apn.one"},
        {"?A2;", ""},         {"?L1;", "1"},        {"?L2;", "22"},     {"?P1;", "333"},
        {"?P2;", "4444"},     {"?M1;", "\"+1\""},   {"?M2;", "\"+2\""}, {"?MR;", "\x01"},
        {"?GP;", "\0"s},      {"?T1;", "\x02"},     {"?T2;", "\x01"},   {"?PT;", ";"},
    };
    for (const auto& [query, reply] : readBack) {
        EXPECT_EQ(Exchange(panel, query), reply) << query;
    }

    TFrameParser parser;
    EXPECT_TRUE(panel.Handle(parser.Feed("!WR;").front()).Persist);
    EXPECT_EQ(panel.Committed(), panel.Working());
}

TEST(Panel, UploadsReplaceTheirTableAtOnce) {
    TPanel panel(DefaultPanelState());
    const std::string events = std::string(74, '1') + ";";
    const std::string restores = "\0"s + std::string(74, '2');
    TFrameParser parser;
    for (const auto& frame : parser.Feed("C" + events + "R" + restores + ";")) {
        EXPECT_TRUE(panel.Handle(frame).Persist);
    }
    EXPECT_EQ(Exchange(panel, "?EC;"), events);
    EXPECT_EQ(Exchange(panel, "?RC;"), restores);
    EXPECT_EQ(panel.Committed().EventCodes, events);
    EXPECT_EQ(panel.Committed().RestoreCodes, restores);
}

TEST(Panel, LongStylePadsTextRepliesOnly) {
    TPanel panel(DefaultPanelState(), TReplyStyle{true});
    const std::string reply = Exchange(panel, "?OC;");
    EXPECT_EQ(reply.size(), TPanel::kLongReplyLength);
    EXPECT_TRUE(reply.starts_with("2222"));
    EXPECT_EQ(Exchange(panel, "?PT;"), "\x05");
    EXPECT_EQ(Exchange(panel, "?EC;").size(), kCodeTableBytes);
}

}  // namespace
}  // namespace irven::sim
