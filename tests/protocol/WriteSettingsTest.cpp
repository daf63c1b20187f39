#include "protocol/WriteSettings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/Cp1251.h"
#include "protocol/EConvertError.h"
#include "protocol/EInvalidSetting.h"
#include "tests/protocol/LinkHarness.h"

namespace {

using namespace std::string_literals;
using testing::ElementsAreArray;
using testing::HasSubstr;

class WriteSettingsTest : public testing::Test {
  protected:
    void SetUp() override { panel.Connect(); }

    ByteString FrameStartingWith(char letter) {
        for (const ByteString& frame : panel.Driver->State().Writes) {
            if (frame[0] == letter) {
                return frame;
            }
        }
        return {};
    }

    TLinkHarness panel;
    TMemorySettingsStore store;
};

TEST_F(WriteSettingsTest, DefaultsGoOutInOrderWithTheirWaitsAndProgress) {
    WriteSettings(panel.Link, store);
    std::vector<std::string> expected = {"read 500", "progress 5"};
    int progress = 5;
    for (const char* text : {"S192.0.2.10;", "s192.0.2.10;", "O2222;", "Tinternet;", "tinternet;",
                             "L7789;", "l7790;", "P7789;", "p7790;", "M\"+380501234567\";"}) {
        progress += 5;
        expected.insert(expected.end(),
                        {"send "s + text, "wait 500", "progress " + std::to_string(progress)});
    }
    expected.insert(expected.end(),
                    {"send m\"+380671234567\";", "wait 500", "send z\\x00;", "wait 500",
                     "send g\\x01;", "wait 500", "send N\\x01;", "wait 500", "progress 60",
                     "send n\\x02;", "wait 500", "progress 100", "send q\\x05;", "wait 500",
                     "send !WR;", "wait 500", "read 200", "progress 0"});
    EXPECT_THAT(panel.Transcript(), ElementsAreArray(expected));
    EXPECT_EQ(panel.Clock.TotalMilliseconds(), 8500u);
}

TEST_F(WriteSettingsTest, FramesCarryTheValuesAsTheyStand) {
    store.SetText(TTextField::ObjectCode, "");
    store.SetText(TTextField::Sim1Apn, "\xE0\x00x"s);
    store.SetSmsMode(true);
    store.SetGprsMode(false);
    store.SetTransport(TSim::Sim1, TTransport::UDP);
    store.SetTransport(TSim::Sim2, TTransport::TCP);
    WriteSettings(panel.Link, store);
    EXPECT_EQ(FrameStartingWith('O'), "O;");
    EXPECT_EQ(FrameStartingWith('T'), "T\xE0\x00x;"s);
    EXPECT_EQ(FrameStartingWith('z'), "z\x01;");
    EXPECT_EQ(FrameStartingWith('g'), "g\x00;"s);
    EXPECT_EQ(FrameStartingWith('N'), "N\x02;");
    EXPECT_EQ(FrameStartingWith('n'), "n\x01;");
}

TEST_F(WriteSettingsTest, PeriodTravelsAsItsLow8Bits) {
    const std::pair<ByteString, ByteString> cases[] = {
        {"5", "q\x05;"},    {"255", "q\xFF;"}, {"0", "q\x00;"s},
        {"256", "q\x00;"s}, {"300", "q\x2C;"}, {"999", "q\xE7;"},
        {"-1", "q\xFF;"},   {"$1E", "q\x1E;"}, {" 7", "q\x07;"},
    };
    for (const auto& [text, frame] : cases) {
        panel.Driver->ClearWrites();
        store.SetText(TTextField::TestPeriod, text);
        WriteSettings(panel.Link, store);
        EXPECT_EQ(FrameStartingWith('q'), frame) << text;
    }
}

TEST_F(WriteSettingsTest, PeriodThatIsNoIntegerStopsTheWriteBeforeAnyFrame) {
    for (const ByteString text : {"abc", "", "7 "}) {
        store.SetText(TTextField::TestPeriod, text);
        try {
            WriteSettings(panel.Link, store);
            ADD_FAILURE() << text;
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.what(), "'" + text + "' is not a valid integer value");
        }
    }
    EXPECT_THAT(panel.Transcript(), testing::IsEmpty());
}

TEST_F(WriteSettingsTest, TextWithSemicolonIsRefusedNamingTheField) {
    for (const TTextFieldInfo& info : TextFields) {
        if (info.Field == TTextField::TestPeriod) {
            continue;
        }
        TMemorySettingsStore forged;
        forged.SetText(info.Field, "x;N\x02");
        try {
            WriteSettings(panel.Link, forged);
            ADD_FAILURE() << info.Name;
        } catch (const EInvalidSetting& error) {
            EXPECT_THAT(error.what(), HasSubstr("«" + std::string(info.Label) + "»"));
        }
    }
    EXPECT_THAT(panel.Transcript(), testing::IsEmpty());
}

// A store whose one field has no Windows-1251 form, as the window's raises it.
class TUnmappableStore final : public TSettingsStore {
  public:
    ByteString Text(TTextField field) const override {
        return field == TTextField::SmsNumber2 ? Utf8ToCp1251("€$¥") : memory.Text(field);
    }
    void SetText(TTextField, const ByteString&) override {}
    bool SmsMode() const override { return false; }
    void SetSmsMode(bool) override {}
    bool GprsMode() const override { return true; }
    void SetGprsMode(bool) override {}
    TTransport Transport(TSim) const override { return TTransport::TCP; }
    void SetTransport(TSim, TTransport) override {}

    TMemorySettingsStore memory;
};

TEST_F(WriteSettingsTest, TextWithoutWindows1251FormIsRefusedBeforeAnyFrame) {
    EXPECT_THROW(WriteSettings(panel.Link, TUnmappableStore{}), EUnmappableText);
    EXPECT_THAT(panel.Transcript(), testing::IsEmpty());
}

TEST_F(WriteSettingsTest, ClosedPortSendsNothing) {
    panel.Port.Close();
    panel.Progress.SetPosition(42);
    EXPECT_THROW(WriteSettings(panel.Link, store), ESerialPort);
    EXPECT_TRUE(panel.Driver->State().Writes.empty());
    EXPECT_EQ(panel.Progress.Position(), 42);
}

TEST_F(WriteSettingsTest, WriteErrorLeavesTheCommitUnsentAndTheProgressWhereItWas) {
    panel.OnSend = [this](const ByteString& frame) {
        if (frame[0] == 'O') {
            panel.Driver->FailNext("WriteFile");
        }
    };
    try {
        WriteSettings(panel.Link, store);
        FAIL();
    } catch (const ESerialPort& error) {
        EXPECT_STREQ(error.what(), "Помилка запису в порт");
    }
    EXPECT_EQ(panel.Driver->State().Writes.size(), 3u);
    EXPECT_EQ(FrameStartingWith('!'), "");
    EXPECT_EQ(panel.Progress.Position(), 20);
}

TEST_F(WriteSettingsTest, RepliesDuringTheWriteAreDiscardedUpTo200Bytes) {
    panel.Replies = {{"!WR;", {std::string(250, 'k')}}};
    WriteSettings(panel.Link, store);
    EXPECT_EQ(panel.Driver->Pending(), 50u);
}

}  // namespace
