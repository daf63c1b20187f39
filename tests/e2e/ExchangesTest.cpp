#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "protocol/Cp1251.h"
#include "protocol/DownloadCodeTable.h"
#include "protocol/WriteSettings.h"
#include "protocol/memory/MemoryCodeTableGrid.h"
#include "serial/SerialPort.h"
#include "testing/PanelSim.h"
#include "testing/TempDir.h"
#include "tests/e2e/CliRun.h"

namespace {

using testing::HasSubstr;

void WriteFile(const std::string& path, const std::string& utf8) {
    std::ofstream(path, std::ios::binary) << Utf8ToCp1251(utf8);
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

// SMS numbers without quotes, as a hand-edited file may hold them; the reading adds them.
constexpr const char* kSiteIni =
    "[CodObj]\r\nText=4321\r\n[TimePeriod]\r\nText=17\r\n"
    "[Edit7]\r\nText=+380501112233\r\n[Edit1]\r\nText=\"+380679998877\"\r\n"
    "[TochDost1]\r\nText=internet.kyiv\r\n[Server1]\r\nText=203.0.113.5\r\n"
    "[LocalPort1]\r\nText=5001\r\n[ServerPort1]\r\nText=6001\r\n"
    "[TochDost2]\r\nText=точка\r\n[Server2]\r\nText=203.0.113.6\r\n"
    "[LocalPort2]\r\nText=5002\r\n[ServerPort2]\r\nText=6002\r\n";

constexpr const char* kSiteTextFields =
    "ObjectCode=4321\nTestPeriod=17\n"
    "SmsNumber1=\"+380501112233\"\nSmsNumber2=\"+380679998877\"\n"
    "Sim1.Apn=internet.kyiv\nSim1.ServerAddress=203.0.113.5\n"
    "Sim1.ServerPort=6001\nSim1.LocalPort=5001\n"
    "Sim2.Apn=точка\nSim2.ServerAddress=203.0.113.6\n"
    "Sim2.ServerPort=6002\nSim2.LocalPort=5002\n";

constexpr const char* kSiteSettings =
    "ObjectCode=4321\nTestPeriod=17\n"
    "SmsNumber1=\"+380501112233\"\nSmsNumber2=\"+380679998877\"\n"
    "SmsMode=on\nGprsMode=off\n"
    "Sim1.Apn=internet.kyiv\nSim1.ServerAddress=203.0.113.5\n"
    "Sim1.ServerPort=6001\nSim1.LocalPort=5001\nSim1.Transport=UDP\n"
    "Sim2.Apn=точка\nSim2.ServerAddress=203.0.113.6\n"
    "Sim2.ServerPort=6002\nSim2.LocalPort=5002\nSim2.Transport=TCP\n";

constexpr const char* kDefaultSettings =
    "ObjectCode=2222\nTestPeriod=5\n"
    "SmsNumber1=\"+380501234567\"\nSmsNumber2=\"+380671234567\"\n"
    "SmsMode=off\nGprsMode=on\n"
    "Sim1.Apn=internet\nSim1.ServerAddress=192.0.2.10\n"
    "Sim1.ServerPort=7789\nSim1.LocalPort=7789\nSim1.Transport=TCP\n"
    "Sim2.Apn=internet\nSim2.ServerAddress=192.0.2.10\n"
    "Sim2.ServerPort=7790\nSim2.LocalPort=7790\nSim2.Transport=UDP\n";

// Whatever the settings file says and the options add reaches the panel, is committed and comes
// back from it; the settings read then saves a file that opens to the same text fields.
TEST(Exchanges, SettingsWrittenFromAFileReadBackAndSaved) {
    TTempDir dir;
    TPanelSim panel;
    WriteFile(dir.File("site.ini"), kSiteIni);

    const TCliRun write =
        RunCli({"write-settings", "--port", panel.Path(), "--ini", dir.File("site.ini"), "--sms",
                "on", "--gprs", "off", "--sim1", "udp", "--sim2", "tcp"});
    ASSERT_EQ(write.Status, 0) << write.Err;
    EXPECT_EQ(write.Out, "");

    const TCliRun read =
        RunCli({"read-settings", "--port", panel.Path(), "--ini", dir.File("saved.ini")});
    ASSERT_EQ(read.Status, 0) << read.Err;
    EXPECT_EQ(read.Out, kSiteSettings);
    EXPECT_EQ(read.Err, "");

    EXPECT_THAT(ReadFile(dir.File("saved.ini")),
                HasSubstr(Utf8ToCp1251("[Edit7]\r\nText=\"+380501112233\"")));
    const TCliRun show = RunCli({"show-settings", "--ini", dir.File("saved.ini")});
    ASSERT_EQ(show.Status, 0) << show.Err;
    EXPECT_EQ(show.Out, kSiteTextFields);
}

struct TWireLine {
    std::string Dir, Hex, Kind, Name;
};

std::string JsonField(const std::string& line, const std::string& key) {
    const std::string start = "\"" + key + "\": \"";
    const size_t at = line.find(start);
    if (at == std::string::npos) {
        return "<" + key + " missing>";
    }
    const size_t from = at + start.size();
    return line.substr(from, line.find('"', from) - from);
}

std::vector<TWireLine> WireLines(const std::string& path) {
    std::vector<TWireLine> lines;
    for (const std::string& line : Lines(ReadFile(path))) {
        lines.push_back({JsonField(line, "dir"), JsonField(line, "hex"), JsonField(line, "kind"),
                         JsonField(line, "name")});
    }
    return lines;
}

// The frames one side sent, as "hex kind name", and every byte the other side read, joined: the
// pieces a read takes need not be the pieces a reply was sent in.
std::pair<std::vector<std::string>, std::string> Traffic(const std::vector<TWireLine>& lines,
                                                         const std::string& framesDir) {
    std::pair<std::vector<std::string>, std::string> traffic;
    for (const TWireLine& line : lines) {
        if (line.Dir == framesDir) {
            traffic.first.push_back(line.Hex + " " + line.Kind + " " + line.Name);
        } else {
            traffic.second += line.Hex;
        }
    }
    return traffic;
}

std::string TextFieldsOf(const std::string& settings) {
    std::string fields;
    for (const std::string& line : Lines(settings)) {
        if (line.find("Mode=") == std::string::npos &&
            line.find("Transport=") == std::string::npos) {
            fields += line + "\n";
        }
    }
    return fields;
}

// The panel's old settings land in the backup before the new ones are written and committed, and
// the trace of the run shows the frames and replies the simulator logged.
TEST(Exchanges, BackupThenWriteWithATraceOfTheWire) {
    TTempDir dir;
    TPanelSim panel({"--log", dir.File("sim.jsonl"), "--state", dir.File("state.txt")});
    WriteFile(dir.File("site.ini"), kSiteIni);

    const TCliRun write =
        RunCli({"write-settings", "--port", panel.Path(), "--ini", dir.File("site.ini"), "--backup",
                dir.File("before.ini"), "--trace", dir.File("run.jsonl")});
    ASSERT_EQ(write.Status, 0) << write.Err;

    const TCliRun backup = RunCli({"show-settings", "--ini", dir.File("before.ini")});
    EXPECT_EQ(backup.Out, TextFieldsOf(kDefaultSettings));
    const std::string state = ReadFile(dir.File("state.txt"));
    EXPECT_THAT(state, HasSubstr("\"203.0.113.6\""));
    EXPECT_THAT(state, HasSubstr("\"4321\""));

    const std::vector<TWireLine> trace = WireLines(dir.File("run.jsonl"));
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace.front().Dir, "rx");  // the opening flush, empty
    EXPECT_EQ(trace.front().Hex, "");
    const auto sent = Traffic(trace, "tx");
    const auto logged = Traffic(WireLines(dir.File("sim.jsonl")), "rx");
    EXPECT_EQ(sent.first, logged.first);
    EXPECT_EQ(sent.second, logged.second);
    EXPECT_THAT(sent.first.back(), HasSubstr("2157523b commit WR"));
    EXPECT_EQ(std::count_if(sent.first.begin(), sent.first.end(),
                            [](const std::string& f) { return f.find(" query ") != f.npos; }),
              17);
}

// Chunked replies still arrive within the waits: the whole settings record and a whole table.
TEST(Exchanges, ChunkedPanelIsReadWhole) {
    TPanelSim panel({"--chunk", "5"});
    const TCliRun settings = RunCli({"read-settings", "--port", panel.Path()});
    ASSERT_EQ(settings.Status, 0) << settings.Err;
    EXPECT_EQ(settings.Out, kDefaultSettings);

    const TCliRun codes = RunCli({"read-codes", "--port", panel.Path(), "--table", "events"});
    ASSERT_EQ(codes.Status, 0) << codes.Err;
    EXPECT_EQ(Lines(codes.Out).at(3), "4\tНеисправность в ШС\t373");
}

constexpr const char* kCustomCodes =
    "E01,E02,E03,E04,E05,E06,E07,E08,E09,E10,E11,E12,E13,"
    "E14,E15,E16,E17,E18,E19,E20,E21,E22,E23,   ,ЖЖЖ";
constexpr const char* kDefaultCodes =
    "110,118,130,373,571,000,301,311,137,627,305,520,000,"
    "000,000,000,000,000,000,000,000,000,000,000,000";

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1) {
        parts.push_back(text.substr(start, comma - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

void ExpectCodes(const TCliRun& run, const std::string& codes) {
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::vector<std::string> lines = Lines(run.Out);
    const std::vector<std::string> expected = Split(codes);
    ASSERT_EQ(lines.size(), 25u) << run.Out;
    for (size_t row = 0; row < lines.size(); ++row) {
        const std::string number = std::to_string(row + 1) + "\t";
        EXPECT_EQ(lines[row].substr(0, number.size()), number);
        EXPECT_EQ(lines[row].substr(lines[row].rfind('\t') + 1), expected[row]) << lines[row];
    }
}

// Each table goes up and comes back on its own; a code of the wrong length stops the upload
// before anything is sent.
TEST(Exchanges, BothCodeTablesUploadAndDownload) {
    TPanelSim panel;
    const std::string port = panel.Path();

    ASSERT_EQ(RunCli({"write-codes", "--port", port, "--table", "restore", "--codes", kCustomCodes})
                  .Status,
              0);
    ExpectCodes(RunCli({"read-codes", "--port", port, "--table", "restore"}), kCustomCodes);
    const TCliRun events = RunCli({"read-codes", "--port", port, "--table", "events"});
    ExpectCodes(events, kDefaultCodes);
    EXPECT_EQ(Lines(events.Out).at(0), "1\tПожар\t110");
    EXPECT_EQ(Lines(events.Out).at(15), "16\tПереход ШС на L1\t000");

    std::string wrongRow7 = kCustomCodes;
    wrongRow7.replace(wrongRow7.find("E07"), 3, "E7");
    const TCliRun refused =
        RunCli({"write-codes", "--port", port, "--table", "events", "--codes", wrongRow7});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_EQ(refused.Err, "Код в ячейке \"Неисправность ИП\"  должен быть равным 3 символам\n");

    ASSERT_EQ(RunCli({"write-codes", "--port", port, "--table", "events", "--codes", kCustomCodes})
                  .Status,
              0);
    ExpectCodes(RunCli({"read-codes", "--port", port, "--table", "events"}), kCustomCodes);
}

TEST(Exchanges, JournalCounts) {
    TPanelSim panel;
    const std::string port = panel.Path();

    const TCliRun byDefault = RunCli({"read-journal", "--port", port});
    ASSERT_EQ(byDefault.Status, 0) << byDefault.Err;
    const std::vector<std::string> lines = Lines(byDefault.Out);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], "1\t77\tОчистка журнала событий\t#796eb7");
    EXPECT_EQ(lines[3], "4\t16\tВключение ШС 1\thighlight");
    EXPECT_EQ(lines[19], "20\t52\tОбрыв или КЗ выхода \"СЗО\"\t#ffff00");

    // The panel's 47 entries, then numbers alone for the entries the reply has no byte for.
    const TCliRun all = RunCli({"read-journal", "--port", port, "--count", "999", "--csv"});
    ASSERT_EQ(all.Status, 0) << all.Err;
    const std::vector<std::string> rows = Lines(all.Out);
    ASSERT_EQ(rows.size(), 1000u);
    EXPECT_EQ(rows[0], "number,code,text,colour\r");
    EXPECT_EQ(rows[20], "20,52,\"Обрыв или КЗ выхода \"\"СЗО\"\"\",#ffff00\r");
    EXPECT_EQ(rows[44], "44,3,,\r");
    EXPECT_EQ(rows[45], "45,84,,\r");
    EXPECT_EQ(rows[46], "46,5,Вход в меню пользователя 2,#008000\r");
    EXPECT_EQ(rows[999], "999,,,\r");

    for (const char* count : {"0", "-7"}) {
        const TCliRun none = RunCli({"read-journal", "--port", port, "--count", count});
        EXPECT_EQ(none.Status, 0) << none.Err;
        EXPECT_EQ(none.Out, "") << count;
    }
}

// A panel that answers nothing is no error: every code and every entry comes back empty.
TEST(Exchanges, SilentPanel) {
    TPanelSim panel({"--silent"});
    const TCliRun codes = RunCli({"read-codes", "--port", panel.Path(), "--table", "events"});
    ASSERT_EQ(codes.Status, 0) << codes.Err;
    EXPECT_EQ(Lines(codes.Out).at(0), "1\tПожар\t");
    EXPECT_EQ(Lines(codes.Out).at(24), "25\tрезерв\t");

    const TCliRun journal = RunCli({"read-journal", "--port", panel.Path(), "--count", "3"});
    ASSERT_EQ(journal.Status, 0) << journal.Err;
    EXPECT_EQ(journal.Out, "1\t\t\t\n2\t\t\t\n3\t\t\t\n");
}

// The cable is pulled during a write: the tool reports the port's error; the same port object,
// connected again to a panel, works at once, as the window's Disconnect and Connect do.
TEST(Exchanges, HungUpPanelFailsTheWriteAndReconnectingWorks) {
    TTempDir dir;
    const std::string link = dir.File("panel");
    WriteFile(dir.File("site.ini"), kSiteIni);
    {
        TPanelSim panel({"--link", link, "--hangup-after", "3"});
        const TCliRun write =
            RunCli({"write-settings", "--port", link, "--ini", dir.File("site.ini")});
        EXPECT_EQ(write.Status, 1);
        EXPECT_THAT(write.Err, testing::AnyOf(HasSubstr("Помилка запису в порт"),
                                              HasSubstr("Помилка читання з порта")));
        EXPECT_EQ(panel.WaitExit(std::chrono::seconds(5)), 2);
    }

    TSerialPort port;
    TPlainProgress progress;
    TSystemClock clock;
    TDeviceLink deviceLink(port, progress, clock);
    TMemorySettingsStore settings;
    {
        TPanelSim panel({"--link", link, "--hangup-after", "3"});
        port.SetPort(link);
        port.SetBaudRate(br115200);
        port.Open();
        EXPECT_THROW(WriteSettings(deviceLink, settings), ESerialPort);
        EXPECT_EQ(panel.WaitExit(std::chrono::seconds(5)), 2);
    }
    // Dropping DTR and discarding input fail on a line that hung up; that is no error to report.
    EXPECT_NO_THROW(port.Close());
    EXPECT_FALSE(port.Connected());
    TPanelSim panel({"--link", link});
    port.Open();
    TMemoryCodeTableGrid grid;
    TEventCodeTable table(TCodeTableKind::Events, grid);
    DownloadCodeTable(deviceLink, table);
    EXPECT_EQ(table.Code(1), "110");
    EXPECT_EQ(table.Code(25), "000");
    EXPECT_EQ(progress.Position(), 0);
}

TEST(CommandLine, StatusAndMessages) {
    TTempDir dir;
    WriteFile(dir.File("short.csv"), "row,event,code\n1,Пожар,110\n");
    WriteFile(dir.File("site.ini"), kSiteIni);
    const struct {
        std::vector<std::string> Args;
        int Status;
        const char* Out;
        const char* Err;
    } cases[] = {
        {{"--help"}, 0, "irven-cli read-journal", ""},
        {{"write-settings", "--help"}, 0, "--sim1 tcp|udp", ""},
        {{}, 2, "", "Использование"},
        {{"read-settings", "--port", "p", "--baud", "1000"}, 2, "", "1000"},
        {{"read-journal", "--port", "/dev/null/x", "--count", "abc"}, 2, "", "abc"},
        {{"read-journal", "--port", "/dev/null/x", "--count", "1000"}, 2, "", "--count"},
        {{"write-codes", "--port", "p", "--table", "events", "--codes", "1,2"}, 2, "", "25"},
        {{"read-codes", "--port", dir.File("no-such-tty"), "--table", "events"}, 1, "", ""},
        {{"show-settings", "--ini", dir.File("missing.ini")}, 1, "", "missing.ini"},
        // Files the command line names are checked before the port is opened.
        {{"read-codes", "--port", dir.File("no-such-tty"), "--table", "events", "--trace",
          dir.File("no-dir/t.jsonl")},
         2,
         "",
         "no-dir/t.jsonl"},
        {{"write-codes", "--port", dir.File("no-such-tty"), "--table", "events", "--from",
          dir.File("missing.csv")},
         2,
         "",
         "missing.csv"},
        {{"write-codes", "--port", dir.File("no-such-tty"), "--table", "events", "--from",
          dir.File("short.csv")},
         2,
         "",
         "строка 2: "},
        {{"write-settings", "--port", dir.File("no-such-tty"), "--ini", dir.File("site.ini"),
          "--backup", dir.File("a\\b.ini")},
         2,
         "",
         "--backup"},
        {{"write-settings", "--port", dir.File("no-such-tty"), "--ini", dir.File("none.ini")},
         1,
         "",
         "none.ini"},
    };
    for (const auto& c : cases) {
        const TCliRun run = RunCli(c.Args);
        const std::string line = testing::PrintToString(c.Args);
        EXPECT_EQ(run.Status, c.Status) << line << run.Err;
        EXPECT_THAT(run.Out, HasSubstr(c.Out)) << line;
        EXPECT_THAT(run.Err, HasSubstr(c.Err)) << line;
        if (c.Status == 1) {
            EXPECT_EQ(run.Out, "") << line;
            EXPECT_FALSE(run.Err.empty()) << line;
        }
    }
}

}  // namespace
