#include "protocol/ReadSettings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/protocol/LinkHarness.h"

namespace {

using namespace std::string_literals;
using testing::ElementsAreArray;

const char* const kTextQueries[] = {"?S1;", "?S2;", "?A1;", "?A2;", "?L1;", "?L2;",
                                    "?P1;", "?P2;", "?OC;", "?M1;", "?M2;"};

class ReadSettingsTest : public testing::Test {
  protected:
    void SetUp() override { panel.Connect(); }

    // Polls made after a query: the waits between it and the next frame.
    int PollsAfter(const std::string& query) {
        const std::vector<std::string> transcript = panel.Transcript();
        auto entry = std::find(transcript.begin(), transcript.end(), "send " + query);
        int polls = 0;
        for (++entry; entry != transcript.end() && entry->rfind("send ", 0) != 0; ++entry) {
            polls += *entry == "wait 200" ? 1 : 0;
        }
        return polls;
    }

    TLinkHarness panel;
    TMemorySettingsStore store;
};

TEST_F(ReadSettingsTest, SilentPanelEmptiesTheTextsAndKeepsTheRest) {
    store.SetSmsMode(true);
    store.SetTransport(TSim::Sim1, TTransport::UDP);
    ReadSettings(panel.Link, store);

    std::vector<std::string> expected = {"read 100", "progress 5"};
    int progress = 5;
    for (const char* query : kTextQueries) {
        progress += 5;
        expected.insert(expected.end(), {"send "s + query, "wait 500", "read 100",
                                         "progress " + std::to_string(progress)});
    }
    for (const char* query : {"?PT;", "?MR;", "?GP;", "?T1;", "?T2;", "?BD;"}) {
        if (query == "?BD;"s) {
            expected.push_back("progress 100");
        }
        expected.push_back("send "s + query);
        for (int attempt = 0; attempt < 5; ++attempt) {
            expected.insert(expected.end(), {"wait 200", "read 100"});
        }
        if (progress < 80) {
            progress += 5;
            expected.push_back("progress " + std::to_string(progress));
        }
    }
    expected.push_back("progress 0");
    EXPECT_THAT(panel.Transcript(), ElementsAreArray(expected));
    EXPECT_EQ(panel.Clock.TotalMilliseconds(), 11500u);

    for (const TTextFieldInfo& info : TextFields) {
        EXPECT_EQ(store.Text(info.Field), info.Field == TTextField::TestPeriod ? "5" : "")
            << info.Name;
    }
    EXPECT_TRUE(store.SmsMode());
    EXPECT_TRUE(store.GprsMode());
    EXPECT_EQ(store.Transport(TSim::Sim1), TTransport::UDP);
    EXPECT_EQ(store.Transport(TSim::Sim2), TTransport::UDP);
}

TEST_F(ReadSettingsTest, TextRepliesFillTheirFieldsInOrder) {
    panel.Replies = {
        {"?S1;", {"10.0.0.1"}}, {"?A1;", {"apn\0junk"s}},   {"?A2;", {"\0apn"s}},
        {"?L1;", {"778899"}},   {"?OC;", {"\xCF\xEE\xE6"}}, {"?M1;", {"\"+380509998877\""}},
        {"?PT;", {"\x0F"}},     {"?MR;", {"\x01"}},
    };
    ReadSettings(panel.Link, store);
    EXPECT_EQ(store.Text(TTextField::Sim1ServerAddress), "10.0.0.1");
    EXPECT_EQ(store.Text(TTextField::Sim1Apn), "apn");
    EXPECT_EQ(store.Text(TTextField::Sim2Apn), "");
    EXPECT_EQ(store.Text(TTextField::Sim1LocalPort), "778899");  // longer than the typing limit
    EXPECT_EQ(store.Text(TTextField::ObjectCode), "\xCF\xEE\xE6");
    EXPECT_EQ(store.Text(TTextField::SmsNumber1), "\"+380509998877\"");
    EXPECT_EQ(store.Text(TTextField::TestPeriod), "15");
    EXPECT_TRUE(store.SmsMode());
    EXPECT_EQ(panel.Clock.TotalMilliseconds(), 9900u);  // both polls answered at once
}

TEST_F(ReadSettingsTest, OverlongAndLateRepliesSpillIntoTheNextField) {
    const ByteString long150 = std::string(100, 'a') + std::string(50, 'b');
    panel.Replies = {{"?S1;", {long150}}, {"?A2;", {"mine"}}};
    // The reply to ?A1; comes only after its read, while ?A2; is on its way.
    panel.OnSend = [this](const ByteString& frame) {
        if (frame == "?A2;") {
            panel.Driver->Feed("late+");
        }
    };
    ReadSettings(panel.Link, store);
    EXPECT_EQ(store.Text(TTextField::Sim1ServerAddress), std::string(100, 'a'));
    EXPECT_EQ(store.Text(TTextField::Sim2ServerAddress), std::string(50, 'b'));
    EXPECT_EQ(store.Text(TTextField::Sim1Apn), "");
    EXPECT_EQ(store.Text(TTextField::Sim2Apn), "late+mine");
}

TEST_F(ReadSettingsTest, OpeningFlushDiscardsAtMost100Bytes) {
    panel.Driver->Feed(std::string(100, '-') + "left");
    ReadSettings(panel.Link, store);
    EXPECT_EQ(store.Text(TTextField::Sim1ServerAddress), "left");
}

struct TPollCase {
    std::string Query;
    std::vector<ByteString> Attempts;
    int Polls;
    std::string Field;  // the field's value afterwards, as text
};

void PrintTo(const TPollCase& c, std::ostream* os) {
    *os << c.Query << " answered";
    for (const ByteString& reply : c.Attempts) {
        *os << " \"" << TLinkHarness::Printable(reply) << '"';
    }
}

class PolledQueries : public ReadSettingsTest, public testing::WithParamInterface<TPollCase> {};

std::string FieldOf(const TSettingsStore& store, const std::string& query) {
    if (query == "?PT;") {
        return store.Text(TTextField::TestPeriod);
    }
    if (query == "?MR;" || query == "?GP;") {
        return (query == "?MR;" ? store.SmsMode() : store.GprsMode()) ? "on" : "off";
    }
    const TSim sim = query == "?T1;" ? TSim::Sim1 : TSim::Sim2;
    return store.Transport(sim) == TTransport::TCP ? "TCP" : "UDP";
}

TEST_P(PolledQueries, DecodeTheirRepliesAndPollAsOften) {
    const TPollCase& c = GetParam();
    panel.Replies = {{c.Query, c.Attempts}};
    ReadSettings(panel.Link, store);
    EXPECT_EQ(PollsAfter(c.Query), c.Polls);
    EXPECT_EQ(FieldOf(store, c.Query), c.Field);
}

// Defaults before the read: period "5", SMS off, GPRS on, SIM 1 TCP, SIM 2 UDP.
INSTANTIATE_TEST_SUITE_P(
    ReadSettings, PolledQueries,
    testing::Values(TPollCase{"?PT;", {"\x00"s}, 1, "0"}, TPollCase{"?PT;", {"\xFF"}, 1, "255"},
                    TPollCase{"?PT;", {"\x05\x37"}, 1, "5"},
                    TPollCase{"?PT;", {"", "", "", "", "\x09"}, 5, "9"},
                    TPollCase{"?MR;", {"\x02", "\x01"}, 1, "off"},
                    TPollCase{"?MR;", {"", "\x01"}, 2, "on"},
                    TPollCase{"?GP;", {"\x01", "", "\x00"s}, 5, "off"},
                    TPollCase{"?GP;", {"\x00"s, "\x02"}, 5, "off"},
                    TPollCase{"?GP;", {"\x02"}, 5, "on"}, TPollCase{"?T1;", {"\x02"}, 5, "UDP"},
                    TPollCase{"?T1;", {"\x03"}, 5, "TCP"}, TPollCase{"?T1;", {"1"}, 5, "TCP"},
                    TPollCase{"?T2;", {"\x01", "\x02", "", "\x01", "\x07"}, 5, "TCP"}));

TEST_F(ReadSettingsTest, ClosedPortSendsNothingAndChangesNothing) {
    panel.Port.Close();
    panel.Progress.SetPosition(42);
    EXPECT_THROW(
        try { ReadSettings(panel.Link, store); } catch (const ESerialPort& error) {
            EXPECT_STREQ(error.what(), "Помилка читання з порта");
            throw;
        },
        ESerialPort);
    EXPECT_TRUE(panel.Driver->State().Writes.empty());
    EXPECT_EQ(panel.Progress.Position(), 42);
    EXPECT_EQ(store.Settings().Sim1.ServerAddress, TGprsSettings{}.Sim1.ServerAddress);
}

TEST_F(ReadSettingsTest, TransferErrorKeepsWhatWasReadAndTheProgress) {
    panel.Replies = {{"?S1;", {"first"}}, {"?S2;", {"second"}}};
    panel.OnSend = [this](const ByteString& frame) {
        if (frame == "?A1;") {
            panel.Driver->FailNext("ReadFile");
        }
    };
    EXPECT_THROW(ReadSettings(panel.Link, store), ESerialPort);
    EXPECT_EQ(store.Text(TTextField::Sim1ServerAddress), "first");
    EXPECT_EQ(store.Text(TTextField::Sim2ServerAddress), "second");
    EXPECT_EQ(store.Text(TTextField::Sim1Apn), "internet");
    EXPECT_EQ(panel.Progress.Position(), 15);
}

}  // namespace
