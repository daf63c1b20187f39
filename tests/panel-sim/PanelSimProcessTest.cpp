#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <random>
#include <regex>
#include <sstream>

#include "testing/PanelSim.h"
#include "testing/TempDir.h"
#include "tests/panel-sim/DefaultReplies.h"
#include "tests/panel-sim/SimClient.h"
#include "tools/panel-sim/FrameLog.h"

namespace irven::sim::test {
namespace {

using namespace std::string_literals;

struct TLogEntry {
    double Time;
    std::string Dir;
    std::string Hex;
    std::string Kind;
    std::string Name;
};

std::vector<TLogEntry> LogEntries(const std::string& path) {
    static const std::regex line(
        R"re(^\{"t": ([0-9.]+), "dir": "(rx|tx)", "hex": "([0-9a-f]*)", "kind": "([a-z-]+)", )re"
        R"re("name": "((?:[^"\\]|\\.)*)"\}$)re");
    std::vector<TLogEntry> entries;
    std::istringstream lines(ReadFile(path));
    std::string text;
    while (std::getline(lines, text)) {
        std::smatch match;
        EXPECT_TRUE(std::regex_match(text, match, line)) << text;
        if (!match.empty()) {
            entries.push_back({std::stod(match[1]), match[2], match[3], match[4], match[5]});
        }
    }
    return entries;
}

std::string Hex(const std::string& bytes) {
    return HexText(bytes);
}

TEST(PanelSimProcess, AnswersTheObjectCodeAndLogsTheWire) {
    const TTempDir dir;
    TPanelSim sim({"--log", dir.File("x.jsonl")});
    EXPECT_TRUE(sim.Path().starts_with("/dev/pts/"));
    TSimClient client(sim.Path());
    client.Write("?OC;");
    EXPECT_EQ(client.Read(4), "2222");
    // The simulator logs a piece after writing it; once it has stopped, the log is complete.
    EXPECT_EQ(sim.Stop(SIGTERM), 0);

    const auto log = LogEntries(dir.File("x.jsonl"));
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].Dir, "rx");
    EXPECT_EQ(log[0].Hex, "3f4f433b");
    EXPECT_EQ(log[0].Kind, "query");
    EXPECT_EQ(log[0].Name, "OC");
    EXPECT_EQ(log[1].Dir, "tx");
    EXPECT_EQ(log[1].Hex, "32323232");
    EXPECT_GE(log[1].Time - log[0].Time, 0.035);
}

TEST(PanelSimProcess, AnswersEveryQueryWithItsShape) {
    TPanelSim sim({"--delay", "0"});
    TSimClient client(sim.Path());
    for (const auto& [query, reply] : DefaultReplies()) {
        client.Write(query);
        EXPECT_EQ(client.Read(reply.size()), reply) << query;
    }
    EXPECT_EQ(client.ReadUntilQuiet(), "");
}

TEST(PanelSimProcess, WrittenSettingsReadBackAndSurviveARestart) {
    const TTempDir dir;
    const std::string state = dir.File("panel.state");
    const std::string writes =
        "S10.1.1.1;s10.2.2.2;O0042;Tgprs;t;L1000;l2000;P3000;p4000;M\"+1\";m\"+2\";"
        "z\0;g;;N\x02;n\x01;q;;"s;
    const std::vector<std::pair<std::string, std::string>> readBack{
        {"?S1;", "10.1.1.1"}, {"?OC;", "0042"}, {"?A2;", ""},  {"?MR;", "\0"s},    {"?GP;", ";"},
        {"?T1;", "\x02"},     {"?T2;", "\x01"}, {"?PT;", ";"}, {"?M2;", "\"+2\""}, {"?P2;", "4000"},
    };
    {
        TPanelSim sim({"--delay", "0", "--state", state});
        TSimClient client(sim.Path());
        client.Write(writes);
        for (const auto& [query, reply] : readBack) {
            client.Write(query);
            EXPECT_EQ(client.Read(reply.size()), reply) << query;
        }
        EXPECT_FALSE(std::filesystem::exists(state)) << "saved before the commit";
        client.Write("!WR;?OC;");
        EXPECT_EQ(client.Read(4), "0042");
        EXPECT_TRUE(std::filesystem::exists(state));
        EXPECT_EQ(sim.Stop(SIGINT), 0);
    }
    TPanelSim sim({"--delay", "0", "--state", state});
    TSimClient client(sim.Path());
    for (const auto& [query, reply] : readBack) {
        client.Write(query);
        EXPECT_EQ(client.Read(reply.size()), reply) << "after restart " << query;
    }
}

TEST(PanelSimProcess, UploadedCodesDownloadAgain) {
    TPanelSim sim({"--delay", "0"});
    TSimClient client(sim.Path());
    const std::string events = "12;\0"s + std::string(71, '7');
    const std::string restores = std::string(72, '8') + ";;;";
    // The event-code upload has no terminator: the query follows its last code directly.
    client.Write("C" + events + "?EC;");
    EXPECT_EQ(client.Read(75), events);
    client.Write("R" + restores + ";?RC;");
    EXPECT_EQ(client.Read(75), restores);
    client.Write("?EC;");
    EXPECT_EQ(client.Read(75), events);
}

TEST(PanelSimProcess, SilentAnswersNothing) {
    const TTempDir dir;
    TPanelSim sim({"--silent", "--delay", "0", "--log", dir.File("x.jsonl")});
    TSimClient client(sim.Path());
    client.Write("?OC;?EC;");
    EXPECT_EQ(client.ReadUntilQuiet(200ms), "");
    EXPECT_EQ(sim.Stop(SIGTERM), 0);
    const auto log = LogEntries(dir.File("x.jsonl"));
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1].Dir, "rx");
}

TEST(PanelSimProcess, ChunkSendsPiecesApart) {
    const TTempDir dir;
    TPanelSim sim({"--chunk", "3", "--delay", "0", "--log", dir.File("x.jsonl")});
    TSimClient client(sim.Path());
    client.Write("?S1;");
    EXPECT_EQ(client.Read(10), "192.0.2.10");
    EXPECT_EQ(sim.Stop(SIGTERM), 0);
    const auto log = LogEntries(dir.File("x.jsonl"));
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[1].Hex, Hex("192"));
    EXPECT_EQ(log[4].Hex, Hex("0"));
    // Each piece is due 30 ms after the one before it, counted from the frame's arrival.
    for (std::size_t piece = 1; piece < 4; ++piece) {
        EXPECT_GE(log[1 + piece].Time - log[0].Time, 0.030 * static_cast<double>(piece) - 0.001);
    }
}

TEST(PanelSimProcess, LateAnswersAfterItsTime) {
    TPanelSim sim({"--late", "400", "--delay", "0"});
    TSimClient client(sim.Path());
    client.Write("?OC;");
    EXPECT_EQ(client.Read(4, 250ms), "");
    EXPECT_EQ(client.Read(4, 2s), "2222");
}

TEST(PanelSimProcess, LongPadsTextRepliesPastAHundredBytes) {
    TPanelSim sim({"--long", "--delay", "0"});
    TSimClient client(sim.Path());
    client.Write("?OC;");
    const std::string reply = client.ReadUntilQuiet();
    EXPECT_GT(reply.size(), 100u);
    EXPECT_TRUE(reply.starts_with("2222"));
    client.Write("?T2;");
    EXPECT_EQ(client.ReadUntilQuiet(), "\x02");
}

TEST(PanelSimProcess, HangupAfterClosesTheTerminalAndExitsTwo) {
    const TTempDir dir;
    const std::string link = dir.File("panel");
    TPanelSim sim({"--hangup-after", "2", "--delay", "0", "--link", link});
    EXPECT_EQ(std::filesystem::read_symlink(link), sim.Path());
    TSimClient client(sim.Path());
    client.Write("?OC;");
    EXPECT_EQ(client.Read(4), "2222");
    client.Write("?OC;");
    EXPECT_TRUE(client.HungUp());
    EXPECT_EQ(sim.WaitExit(5s), 2);
    EXPECT_FALSE(std::filesystem::is_symlink(link));
}

TEST(PanelSimProcess, FaultModesCombine) {
    TPanelSim sim({"--long", "--chunk", "50", "--late", "100", "--hangup-after", "3"});
    TSimClient client(sim.Path());
    client.Write("?A1;");
    const std::string reply = client.Read(150, 2s);
    EXPECT_EQ(reply.size(), 150u);
    EXPECT_TRUE(reply.starts_with("internet"));
    client.Write("?A2;?A2;");
    EXPECT_TRUE(client.HungUp());
    EXPECT_EQ(sim.WaitExit(5s), 2);
}

TEST(PanelSimProcess, SignalsEndItCleanly) {
    for (const int signal : {SIGINT, SIGTERM}) {
        const TTempDir dir;
        const std::string link = dir.File("panel");
        TPanelSim sim({"--link", link});
        EXPECT_TRUE(std::filesystem::is_symlink(link));
        EXPECT_EQ(sim.Stop(signal), 0) << signal;
        EXPECT_FALSE(std::filesystem::is_symlink(link));
    }
}

TEST(PanelSimProcess, ClientMayCloseAndReopen) {
    TPanelSim sim({"--delay", "0"});
    for (int round = 0; round < 3; ++round) {
        TSimClient client(sim.Path());
        client.Write("?L2;");
        EXPECT_EQ(client.Read(4), "7790") << round;
    }
    EXPECT_TRUE(sim.Running());
}

// Random bytes, some shaped like frames, never stop it: afterwards a run of terminators ends any
// frame begun, it still answers, and the log's received bytes are exactly the bytes written.
TEST(PanelSimProcess, RandomBytesNeverBreakIt) {
    const TTempDir dir;
    TPanelSim sim({"--delay", "0", "--log", dir.File("x.jsonl")});
    TSimClient client(sim.Path());
    std::mt19937 random(7);
    const std::string alphabet = "?;!WRCzqNnSTOMEJ12\0"s;
    std::string written;
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        const int length = std::uniform_int_distribution(1, 64)(random);
        for (int i = 0; i < length; ++i) {
            bytes += random() % 2 ? alphabet[random() % alphabet.size()]
                                  : static_cast<char>(random() & 0xFF);
        }
        client.Write(bytes);
        written += bytes;
        if (round % 20 == 0) {
            client.ReadUntilQuiet(10ms);
        }
    }
    const std::string flush(80, ';');
    client.Write(flush);
    written += flush;
    client.ReadUntilQuiet(150ms);
    client.Write("?PT;");
    written += "?PT;";
    EXPECT_EQ(client.Read(1).size(), 1u);
    client.ReadUntilQuiet();
    EXPECT_TRUE(sim.Running());
    EXPECT_EQ(sim.Stop(SIGTERM), 0);

    std::string received;
    for (const auto& entry : LogEntries(dir.File("x.jsonl"))) {
        if (entry.Dir == "rx") {
            received += entry.Hex;
        }
    }
    EXPECT_TRUE(received == Hex(written))
        << received.size() / 2 << " bytes logged of " << written.size() << " written";
}

TEST(PanelSimProcess, HelpAndBadOptions) {
    const TPanelSimRun help = RunPanelSim({"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Output.find("--hangup-after"), std::string::npos);
    const TPanelSimRun bad = RunPanelSim({"--delay", "soon"});
    EXPECT_EQ(bad.Status, 1);
    EXPECT_EQ(bad.Output, "");
}

}  // namespace
}  // namespace irven::sim::test
