#include <gtest/gtest.h>

#include <functional>

#include "tools/cli/CliOptions.h"

namespace {

using TArgs = std::vector<std::string>;

struct TAccepted {
    TArgs Args;
    std::function<void(const TCliOptions&)> Check;
};

class CliOptionsAccepted : public testing::TestWithParam<TAccepted> {};

TEST_P(CliOptionsAccepted, Parses) {
    GetParam().Check(ParseCliArguments(GetParam().Args));
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, CliOptionsAccepted,
    testing::Values(
        TAccepted{{"read-settings", "--port", "/dev/pts/3"},
                  [](const TCliOptions& o) {
                      EXPECT_EQ(o.Command, TCliCommand::ReadSettings);
                      EXPECT_EQ(o.Port, "/dev/pts/3");
                      EXPECT_EQ(BaudRateValue(o.BaudRate), 115200u);
                      EXPECT_TRUE(o.IniPath.empty());
                  }},
        TAccepted{{"read-settings", "--port=COM3", "--baud=110", "--ini", "a b.ini"},
                  [](const TCliOptions& o) {
                      EXPECT_EQ(o.Port, "COM3");
                      EXPECT_EQ(o.BaudRate, br110);
                      EXPECT_EQ(o.IniPath, "a b.ini");
                  }},
        TAccepted{{"read-codes", "--port", "p", "--baud", "256000", "--table", "restore"},
                  [](const TCliOptions& o) {
                      EXPECT_EQ(o.BaudRate, br256000);
                      EXPECT_EQ(o.Table, TCodeTableChoice::Restore);
                  }},
        // Flags and transports keep the record's defaults unless given.
        TAccepted{{"write-settings", "--port", "p", "--ini", "f.ini"},
                  [](const TCliOptions& o) {
                      EXPECT_FALSE(o.SmsMode);
                      EXPECT_TRUE(o.GprsMode);
                      EXPECT_EQ(o.Sim1Transport, TTransport::TCP);
                      EXPECT_EQ(o.Sim2Transport, TTransport::UDP);
                  }},
        TAccepted{{"write-settings", "--port", "p", "--ini", "f.ini", "--sms", "on", "--gprs",
                   "off", "--sim1", "udp", "--sim2=tcp"},
                  [](const TCliOptions& o) {
                      EXPECT_TRUE(o.SmsMode);
                      EXPECT_FALSE(o.GprsMode);
                      EXPECT_EQ(o.Sim1Transport, TTransport::UDP);
                      EXPECT_EQ(o.Sim2Transport, TTransport::TCP);
                  }},
        // Empty codes are the upload's validation to report, not the parser's.
        TAccepted{{"write-codes", "--port", "p", "--table", "events", "--codes",
                   "110,118,130,373,571,000,301,311,137,627,305,520,000,000,000,000,000,000,"
                   "000,000,000,000,000,,ЖЖЖ"},
                  [](const TCliOptions& o) {
                      ASSERT_EQ(o.Codes.size(), 25u);
                      EXPECT_EQ(o.Codes[0], "110");
                      EXPECT_EQ(o.Codes[23], "");
                      EXPECT_EQ(o.Codes[24], "ЖЖЖ");
                  }},
        TAccepted{{"write-codes", "--port", "p", "--table", "events", "--from", "codes.csv",
                   "--trace", "t.jsonl"},
                  [](const TCliOptions& o) {
                      EXPECT_EQ(o.CodesFromPath, "codes.csv");
                      EXPECT_TRUE(o.Codes.empty());
                      EXPECT_EQ(o.TracePath, "t.jsonl");
                  }},
        TAccepted{{"write-settings", "--port", "p", "--ini", "f.ini", "--backup", "b.ini"},
                  [](const TCliOptions& o) { EXPECT_EQ(o.BackupPath, "b.ini"); }},
        TAccepted{{"read-codes", "--port", "p", "--table", "events", "--out=c.csv"},
                  [](const TCliOptions& o) { EXPECT_EQ(o.CodesOutPath, "c.csv"); }},
        TAccepted{{"read-journal", "--port", "p"},
                  [](const TCliOptions& o) {
                      EXPECT_EQ(o.JournalCount, "20");
                      EXPECT_FALSE(o.Csv);
                  }},
        TAccepted{{"read-journal", "--csv", "--port", "p", "--count", "-3"},
                  [](const TCliOptions& o) {
                      EXPECT_EQ(o.JournalCount, "-3");
                      EXPECT_TRUE(o.Csv);
                  }},
        // --help wins over everything else on the line, missing options included.
        TAccepted{{"write-codes", "--help"},
                  [](const TCliOptions& o) {
                      EXPECT_EQ(o.Help, THelp::Command);
                      EXPECT_EQ(o.Command, TCliCommand::WriteCodes);
                  }},
        TAccepted{{"read-settings", "--baud", "12", "-h"},
                  [](const TCliOptions& o) { EXPECT_EQ(o.Help, THelp::Command); }},
        TAccepted{{"--help"}, [](const TCliOptions& o) { EXPECT_EQ(o.Help, THelp::Tool); }},
        TAccepted{{"help", "read-journal"},
                  [](const TCliOptions& o) {
                      EXPECT_EQ(o.Help, THelp::Command);
                      EXPECT_EQ(o.Command, TCliCommand::ReadJournal);
                  }},
        TAccepted{{"ports"},
                  [](const TCliOptions& o) {
                      EXPECT_EQ(o.Command, TCliCommand::Ports);
                      EXPECT_EQ(o.Help, THelp::None);
                      EXPECT_FALSE(o.NamesOnly);
                  }},
        TAccepted{{"ports", "--names-only"},
                  [](const TCliOptions& o) { EXPECT_TRUE(o.NamesOnly); }}));

struct TRejected {
    TArgs Args;
    std::optional<TCliCommand> Command;
};

class CliOptionsRejected : public testing::TestWithParam<TRejected> {};

TEST_P(CliOptionsRejected, IsAUsageError) {
    try {
        ParseCliArguments(GetParam().Args);
        FAIL() << "accepted";
    } catch (const EUsage& error) {
        EXPECT_EQ(error.Command(), GetParam().Command);
        EXPECT_STRNE(error.what(), "");
    }
}

constexpr auto RS = TCliCommand::ReadSettings;

INSTANTIATE_TEST_SUITE_P(
    CommandLines, CliOptionsRejected,
    testing::Values(
        TRejected{{}, std::nullopt}, TRejected{{"read"}, std::nullopt},
        TRejected{{"--port", "p"}, std::nullopt}, TRejected{{"read-settings"}, RS},
        TRejected{{"read-settings", "--port"}, RS},
        // Only the fifteen rates of the speed list, written as the list writes them.
        TRejected{{"read-settings", "--port", "p", "--baud", "115201"}, RS},
        TRejected{{"read-settings", "--port", "p", "--baud", "0115200"}, RS},
        TRejected{{"read-settings", "--port", "p", "--baud", "9600 "}, RS},
        TRejected{{"read-settings", "--port", "p", "--baud", ""}, RS},
        TRejected{{"read-settings", "--port", "p", "--table", "events"}, RS},
        TRejected{{"read-settings", "--port", "p", "extra"}, RS},
        TRejected{{"read-settings", "--port", "p", "--"}, RS},
        TRejected{{"ports", "--port", "p"}, TCliCommand::Ports},
        TRejected{{"ports", "--names-only=yes"}, TCliCommand::Ports},
        TRejected{{"show-settings"}, TCliCommand::ShowSettings},
        TRejected{{"write-settings", "--port", "p"}, TCliCommand::WriteSettings},
        TRejected{{"write-settings", "--port", "p", "--ini", "f", "--sms", "1"},
                  TCliCommand::WriteSettings},
        TRejected{{"write-settings", "--port", "p", "--ini", "f", "--sim2", "TCP"},
                  TCliCommand::WriteSettings},
        TRejected{{"read-codes", "--port", "p"}, TCliCommand::ReadCodes},
        TRejected{{"read-codes", "--port", "p", "--table", "event"}, TCliCommand::ReadCodes},
        TRejected{{"write-codes", "--port", "p", "--table", "events"}, TCliCommand::WriteCodes},
        TRejected{{"write-codes", "--port", "p", "--table", "events", "--codes", "110,118"},
                  TCliCommand::WriteCodes},
        TRejected{{"read-journal", "--port", "p", "--csv=yes"}, TCliCommand::ReadJournal},
        // The codes come from the line or from a file, never both.
        TRejected{{"write-codes", "--port", "p", "--table", "events", "--codes",
                   "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25", "--from",
                   "c.csv"},
                  TCliCommand::WriteCodes},
        TRejected{{"show-settings", "--ini", "f.ini", "--trace", "t"}, TCliCommand::ShowSettings},
        TRejected{{"read-settings", "--port", "p", "--backup", "b.ini"}, RS},
        // A backup over the settings about to be written would lose them.
        TRejected{{"write-settings", "--port", "p", "--ini", "site.ini", "--backup", "site.ini"},
                  TCliCommand::WriteSettings},
        TRejected{{"write-codes", "--port", "p", "--table", "events", "--out", "c.csv"},
                  TCliCommand::WriteCodes}));

}  // namespace
