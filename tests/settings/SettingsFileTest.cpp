#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include <sys/wait.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <map>

#include "settings/FileAccess.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsFolder.h"

namespace fs = std::filesystem;

namespace {

class TTemporaryDirectory {
  public:
    TTemporaryDirectory() {
        char pattern[] = "/tmp/irven-settings-XXXXXX";
        path_ = mkdtemp(pattern);
        fs::permissions(path_, fs::perms(0755));
    }
    ~TTemporaryDirectory() {
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path_, ignored);
    }
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

void WriteFile(const std::string& path, const ByteString& content) {
    std::ofstream(path, std::ios::binary) << content;
}

ByteString ReadFile(const std::string& path) {
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    return content.str();
}

std::vector<ByteString> Texts(const TSettingsStore& store) {
    std::vector<ByteString> texts;
    for (const TTextFieldInfo& info : TextFields) {
        texts.push_back(store.Text(info.Field));
    }
    return texts;
}

std::vector<std::string> Entries(const std::string& directory) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

const auto ReplaceAlways = [](const std::string&) { return true; };

TMemorySettingsStore UnusualSettings() {
    TGprsSettings s;
    s.ObjectCode = "12345";
    s.TestPeriod = "300";
    s.SmsNumber1 = "\"+380991112233\"";
    s.SmsNumber2 = "\"\"";
    s.Sim1.Apn = "\xE8\xED\xF2\xE5\xF0\xED\xE5\xF2";
    s.Sim1.ServerAddress = "10.0.0.1";
    s.Sim1.LocalPort = "123456";
    s.Sim1.ServerPort = "";
    s.Sim2.Apn = "a=b;c";
    s.Sim2.ServerAddress = "[Server1]";
    s.Sim2.LocalPort = "1";
    s.Sim2.ServerPort = "65535";
    return TMemorySettingsStore(s);
}

class SettingsFile : public testing::Test {
  protected:
    TTemporaryDirectory dir_;
};

struct TPathCase {
    const char* Directory;
    const char* Chosen;
    const char* Expected;
};

TEST(SettingsFilePath, KeepsOnlyTheFileNameOfTheChoice) {
    const TPathCase cases[] = {
        {"/p", "Settings.ini", "/p/Settings.ini"},
        {"/p", "/home/t/sites/a.ini", "/p/a.ini"},
        {"/p", "C:\\Users\\t\\a.ini", "/p/a.ini"},
        {"/p", "D:a.ini", "/p/a.ini"},
        {"/p/", "a.ini", "/p/a.ini"},
    };
    for (const TPathCase& c : cases) {
        EXPECT_EQ(SettingsFilePath(c.Directory, c.Chosen), c.Expected) << c.Chosen;
    }
}

TEST_F(SettingsFile, SavedDefaultsStartWithTheObjectCodeAndKeepTheSmsQuotes) {
    ASSERT_TRUE(SaveSettingsFile(TMemorySettingsStore(), dir_.Path(), "a.ini", ReplaceAlways));
    const ByteString content = ReadFile(dir_ / "a.ini");
    EXPECT_EQ(content.rfind("[CodObj]\r\nText=2222\r\n[TimePeriod]\r\nText=5\r\n[Edit7]\r\n"
                            "Text=\"+380501234567\"\r\n",
                            0),
              0u)
        << content;
}

TEST_F(SettingsFile, SaveThenOpenGivesBackAllTwelveFieldsAndTouchesNoFlag) {
    const TMemorySettingsStore saved = UnusualSettings();
    ASSERT_TRUE(SaveSettingsFile(saved, dir_.Path(), "site.ini", ReplaceAlways));
    TMemorySettingsStore opened;
    opened.SetSmsMode(true);
    opened.SetGprsMode(false);
    opened.SetTransport(TSim::Sim1, TTransport::UDP);
    OpenSettingsFile(opened, dir_.Path(), "/somewhere/else/site.ini");
    EXPECT_EQ(Texts(opened), Texts(saved));
    EXPECT_TRUE(opened.SmsMode());
    EXPECT_FALSE(opened.GprsMode());
    EXPECT_EQ(opened.Transport(TSim::Sim1), TTransport::UDP);
    EXPECT_EQ(opened.Transport(TSim::Sim2), TTransport::UDP);
}

TEST_F(SettingsFile, OpeningPutsTheSmsNumbersBetweenQuotes) {
    const std::pair<ByteString, ByteString> cases[] = {
        {"[Edit7]\r\nText=+380501112233\r\n", "\"+380501112233\""},
        {"[Edit7]\r\nText=\"+380501112233\"\r\n", "\"+380501112233\""},
        {"[Edit7]\r\nText=\r\n", "\"\""},
        {"[Other]\r\nText=1\r\n", "\"?\""},
    };
    for (const auto& [content, expected] : cases) {
        WriteFile(dir_ / "a.ini", content);
        TMemorySettingsStore store;
        OpenSettingsFile(store, dir_.Path(), "a.ini");
        EXPECT_EQ(store.Text(TTextField::SmsNumber1), expected) << content;
        EXPECT_EQ(store.Text(TTextField::SmsNumber2), "\"?\"");
        EXPECT_EQ(store.Text(TTextField::ObjectCode), "?");
    }
}

TEST_F(SettingsFile, AMissingSectionGivesAQuestionMarkForItsFieldOnly) {
    const TMemorySettingsStore saved = UnusualSettings();
    ASSERT_TRUE(SaveSettingsFile(saved, dir_.Path(), "a.ini", ReplaceAlways));
    ByteString content = ReadFile(dir_ / "a.ini");
    const ByteString section = "[TochDost2]\r\nText=a=b;c\r\n";
    ASSERT_NE(content.find(section), ByteString::npos);
    WriteFile(dir_ / "a.ini", content.erase(content.find(section), section.size()));

    TMemorySettingsStore opened;
    OpenSettingsFile(opened, dir_.Path(), "a.ini");
    std::vector<ByteString> expected = Texts(saved);
    expected[static_cast<std::size_t>(TTextField::Sim2Apn)] = "?";
    EXPECT_EQ(Texts(opened), expected);
}

TEST_F(SettingsFile, OpeningWhatCannotBeReadChangesNothing) {
    fs::create_directory(dir_ / "folder.ini");
    TMemorySettingsStore store = UnusualSettings();
    EXPECT_THROW(OpenSettingsFile(store, dir_.Path(), "C:\\site\\folder.ini"),
                 ESettingsFileUnreadable);
    try {
        OpenSettingsFile(store, dir_.Path(), "/other/missing.ini");
        ADD_FAILURE() << "a missing file opened";
    } catch (const ESettingsFileMissing& e) {
        EXPECT_EQ(std::string(e.what()), "Файл настроек не найден: " + (dir_ / "missing.ini"));
    }
    EXPECT_EQ(Texts(store), Texts(UnusualSettings()));
}

TEST_F(SettingsFile, SavingOverAFileAsksFirstAndKeepsItsOtherContent) {
    const ByteString before = "; sites\r\n[Other]\r\nKey=1\r\n[CodObj]\r\nText=1\r\nExtra=2\r\n";
    WriteFile(dir_ / "a.ini", before);
    std::vector<std::string> asked;
    const auto decline = [&](const std::string& path) {
        asked.push_back(path);
        return false;
    };
    EXPECT_FALSE(SaveSettingsFile(TMemorySettingsStore(), dir_.Path(), "/x/a.ini", decline));
    EXPECT_EQ(asked, std::vector<std::string>{dir_ / "a.ini"});
    EXPECT_EQ(ReadFile(dir_ / "a.ini"), before);

    ASSERT_TRUE(SaveSettingsFile(TMemorySettingsStore(), dir_.Path(), "a.ini", ReplaceAlways));
    const TIniFile after(dir_ / "a.ini");
    EXPECT_EQ(ReadFile(dir_ / "a.ini")
                  .rfind("; sites\r\n[Other]\r\nKey=1\r\n[CodObj]\r\n"
                         "Text=2222\r\nExtra=2\r\n",
                         0),
              0u);
    EXPECT_EQ(after.ReadString("TimePeriod", "Text", "?"), "5");
}

TEST_F(SettingsFile, SavingANewFileAsksNothing) {
    const auto never = [](const std::string& path) -> bool {
        throw std::logic_error("asked about " + path);
    };
    EXPECT_TRUE(SaveSettingsFile(TMemorySettingsStore(), dir_.Path(), "new.ini", never));
    EXPECT_EQ(TIniFile(dir_ / "new.ini").ReadString("ServerPort2", "Text", "?"), "7790");
}

// A store that refuses to give one field, as the window's does for text without a Windows-1251
// form.
class TRefusingStore final : public TSettingsStore {
  public:
    ByteString Text(TTextField field) const override {
        if (field == TTextField::Sim2ServerPort) {
            throw std::runtime_error("no Windows-1251 form");
        }
        return store_.Text(field);
    }
    void SetText(TTextField field, const ByteString& value) override {
        store_.SetText(field, value);
    }
    bool SmsMode() const override { return store_.SmsMode(); }
    void SetSmsMode(bool on) override { store_.SetSmsMode(on); }
    bool GprsMode() const override { return store_.GprsMode(); }
    void SetGprsMode(bool on) override { store_.SetGprsMode(on); }
    TTransport Transport(TSim sim) const override { return store_.Transport(sim); }
    void SetTransport(TSim sim, TTransport t) override { store_.SetTransport(sim, t); }

  private:
    TMemorySettingsStore store_;
};

TEST_F(SettingsFile, TextThatCannotBeStoredWritesNothing) {
    const std::pair<TTextField, char> cases[] = {{TTextField::Sim1Apn, '\n'},
                                                 {TTextField::ObjectCode, '\r'},
                                                 {TTextField::TestPeriod, '\0'}};
    for (const auto& [field, character] : cases) {
        TMemorySettingsStore store;
        store.SetText(field, ByteString("ab") + character + "[CodObj]");
        try {
            SaveSettingsFile(store, dir_.Path(), "a.ini", ReplaceAlways);
            ADD_FAILURE() << "saved a line end";
        } catch (const ESettingsTextUnstorable& e) {
            EXPECT_NE(std::string(e.what()).find(FieldInfo(field).Label), std::string::npos);
        }
    }
    EXPECT_THROW(SaveSettingsFile(TRefusingStore(), dir_.Path(), "a.ini", ReplaceAlways),
                 std::runtime_error);
    EXPECT_TRUE(Entries(dir_.Path()).empty());
}

// Runs in a child process without root's rights, so that permissions hold.
[[noreturn]] void SaveAsUnprivileged(const std::string& directory, const std::string& path) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
        std::_Exit(3);
    }
    try {
        SaveSettingsFile(TMemorySettingsStore(), directory, "a.ini", ReplaceAlways);
    } catch (const EIniFileException& e) {
        std::_Exit(std::string(e.what()) == "Unable to write to " + path ? 0 : 1);
    }
    std::_Exit(2);
}

TEST_F(SettingsFile, AFailedSaveLeavesTheOldFileWhole) {
    struct TCase {
        const char* What;
        fs::perms Directory;
        fs::perms File;
    };
    const TCase cases[] = {{"read-only directory", fs::perms(0555), fs::perms(0666)},
                           {"read-only file", fs::perms(0777), fs::perms(0444)}};
    const ByteString old = "[CodObj]\r\nText=1\r\n[Keep]\r\nMe=1\r\n";
    for (const TCase& c : cases) {
        const std::string path = dir_ / "a.ini";
        fs::permissions(dir_.Path(), fs::perms(0755));
        fs::remove(path);
        WriteFile(path, old);
        fs::permissions(path, c.File);
        fs::permissions(dir_.Path(), c.Directory);
        EXPECT_EXIT(SaveAsUnprivileged(dir_.Path(), path), testing::ExitedWithCode(0), "")
            << c.What;
        EXPECT_EQ(ReadFile(path), old) << c.What;
        EXPECT_EQ(Entries(dir_.Path()), std::vector<std::string>{"a.ini"}) << c.What;
    }
}

[[noreturn]] void SaveSucceedsAsUnprivileged(const std::string& directory) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
        std::_Exit(3);
    }
    try {
        SaveSettingsFile(TMemorySettingsStore(), directory, "a.ini", ReplaceAlways);
    } catch (const std::exception&) {
        std::_Exit(1);
    }
    std::_Exit(0);
}

// What another user may leave under the temporary file's name in a folder both may write: the
// save never writes through it and is never blocked by it.
TEST_F(SettingsFile, WhatLiesUnderTheTemporaryNameIsNeverFollowedAndNeverBlocksASave) {
    struct TCase {
        const char* What;
        fs::perms Directory;
        std::function<void(const std::string& temporary)> Leave;
        std::vector<std::string> Expected;
    };
    const std::string victim = dir_ / "victim";
    const TCase cases[] = {
        {"a link to another file",
         fs::perms(0777),
         [&](const std::string& t) { fs::create_symlink(victim, t); },
         {"a.ini", "victim"}},
        {"a file this user cannot open",
         fs::perms(0777),
         [](const std::string& t) {
             WriteFile(t, "left");
             fs::permissions(t, fs::perms::none);
         },
         {"a.ini", "victim"}},
        {"a FIFO",
         fs::perms(0777),
         [](const std::string& t) { mkfifo(t.c_str(), 0666); },
         {"a.ini", "victim"}},
        // Only root can leave a file that the unprivileged saver may not remove.
        {"another user's file in a sticky folder",
         fs::perms(01777),
         [](const std::string& t) {
             WriteFile(t, "left");
             fs::permissions(t, fs::perms(0600));
         },
         {"a.ini", "a.ini.tmp", "victim"}},
    };
    for (const TCase& c : cases) {
        if (c.Directory == fs::perms(01777) && geteuid() != 0) {
            continue;
        }
        fs::permissions(dir_.Path(), fs::perms(0777));
        for (const std::string& name : Entries(dir_.Path())) {
            fs::remove(dir_ / name);
        }
        WriteFile(victim, "victim");
        fs::permissions(victim, fs::perms(0666));
        c.Leave(dir_ / "a.ini.tmp");
        fs::permissions(dir_.Path(), c.Directory);
        EXPECT_EXIT(SaveSucceedsAsUnprivileged(dir_.Path()), testing::ExitedWithCode(0), "")
            << c.What;
        EXPECT_EQ(ReadFile(victim), "victim") << c.What;
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir_ / "a.ini"))) << c.What;
        EXPECT_EQ(TIniFile(dir_ / "a.ini").ReadString("CodObj", "Text", "?"), "2222") << c.What;
        std::vector<std::string> entries = Entries(dir_.Path());
        std::sort(entries.begin(), entries.end());
        EXPECT_EQ(entries, c.Expected) << c.What;
    }
}

TEST(SettingsFolder, IsTheProgramDirectoryWhenWritableElseTheUsersDataFolder) {
    struct TCase {
        bool Writable;
        std::map<std::string, std::string> Environment;
        TSettingsFolder Expected;
    };
    const TCase cases[] = {
        {true, {{"XDG_DATA_HOME", "/x"}, {"HOME", "/h"}}, {"/p", true}},
        {false, {{"XDG_DATA_HOME", "/x"}, {"HOME", "/h"}}, {"/x/irven-configurator", false}},
        {false,
         {{"XDG_DATA_HOME", "rel"}, {"HOME", "/h"}},
         {"/h/.local/share/irven-configurator", false}},
        {false,
         {{"XDG_DATA_HOME", ""}, {"HOME", "/h"}},
         {"/h/.local/share/irven-configurator", false}},
        {false, {}, {"/p", true}},
    };
    for (const TCase& c : cases) {
        const TSettingsFolder folder = ChooseSettingsFolder(
            "/p", c.Writable, XdgDataDirectory([&](const char* name) -> std::optional<std::string> {
                const auto found = c.Environment.find(name);
                return found == c.Environment.end() ? std::nullopt : std::optional(found->second);
            }));
        EXPECT_EQ(folder.Path, c.Expected.Path);
        EXPECT_EQ(folder.InProgramDirectory, c.Expected.InProgramDirectory) << c.Expected.Path;
    }
}

// In a child without root's rights: the folder chosen for a program directory of these rights,
// made and saved into, exits 0 when the file is where it belongs.
[[noreturn]] void SaveBesideProgramAsUnprivileged(const std::string& program,
                                                  const std::string& data,
                                                  const std::string& expected) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
        std::_Exit(3);
    }
    const TSettingsFolder folder = ChooseSettingsFolder(program, DirectoryWritable(program), data);
    if (folder.Path != expected || !MakeDirectories(folder.Path)) {
        std::_Exit(1);
    }
    SaveSettingsFile(TMemorySettingsStore(), folder.Path, "Settings.ini", ReplaceAlways);
    TMemorySettingsStore loaded = UnusualSettings();
    LoadStartupSettings(loaded, folder.Path, program);
    std::_Exit(Texts(loaded) == Texts(TMemorySettingsStore()) ? 0 : 2);
}

TEST_F(SettingsFile, ASettingsFolderIsChosenMadeAndUsedForWritableAndReadOnlyPrograms) {
    const std::string program = dir_ / "bin";
    const std::string data = dir_ / "home/.local/share";
    fs::create_directories(program);
    fs::create_directories(dir_ / "home");
    fs::permissions(dir_ / "home", fs::perms(0777));
    for (const fs::perms rights : {fs::perms(0777), fs::perms(0555)}) {
        fs::permissions(program, rights);
        const std::string expected =
            rights == fs::perms(0777) ? program : data + "/irven-configurator";
        EXPECT_EXIT(SaveBesideProgramAsUnprivileged(program, data, expected),
                    testing::ExitedWithCode(0), "")
            << expected;
        EXPECT_TRUE(fs::exists(expected + "/Settings.ini")) << expected;
    }
    EXPECT_EQ(fs::status(data + "/irven-configurator").permissions(), fs::perms(0700));
}

// A child saving over and over, killed at whatever point of a save it has reached; every kill may
// leave the temporary file, the next save takes it over.
TEST_F(SettingsFile, KilledSavesLeaveAtMostOneTemporaryFileAndNeverACorruptOne) {
    const TMemorySettingsStore first;
    const TMemorySettingsStore second = UnusualSettings();
    ASSERT_TRUE(SaveSettingsFile(first, dir_.Path(), "a.ini", ReplaceAlways));
    const ByteString saved = ReadFile(dir_ / "a.ini");
    for (int kill = 0; kill < 100; ++kill) {
        int started[2];
        ASSERT_EQ(pipe(started), 0);
        const pid_t child = fork();
        if (child == 0) {
            close(started[0]);
            for (int save = 0;; ++save) {
                SaveSettingsFile(save % 2 ? first : second, dir_.Path(), "a.ini", ReplaceAlways);
                if (save == 0 && write(started[1], "s", 1) != 1) {
                    std::_Exit(1);
                }
            }
        }
        close(started[1]);
        char byte = 0;
        ASSERT_EQ(read(started[0], &byte, 1), 1);
        close(started[0]);
        ::kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const ByteString content = ReadFile(dir_ / "a.ini");
        TMemorySettingsStore read;
        OpenSettingsFile(read, dir_.Path(), "a.ini");
        ASSERT_TRUE(Texts(read) == Texts(first) || Texts(read) == Texts(second)) << content;
    }
    const std::size_t leftovers = Entries(dir_.Path()).size() - 1;
    std::printf("leftover temporary files after 100 kills: %zu\n", leftovers);
    EXPECT_LE(leftovers, 1u);
    ASSERT_TRUE(SaveSettingsFile(first, dir_.Path(), "a.ini", ReplaceAlways));
    EXPECT_EQ(Entries(dir_.Path()), std::vector<std::string>{"a.ini"});
    EXPECT_EQ(ReadFile(dir_ / "a.ini"), saved);
}

// Two savers of one file at once: each save is whole, so the file ends as one of them wrote it.
TEST_F(SettingsFile, ConcurrentSaversOfOneFileWriteWholeFiles) {
    const TMemorySettingsStore stores[] = {TMemorySettingsStore(), UnusualSettings()};
    pid_t children[2];
    for (int i = 0; i < 2; ++i) {
        children[i] = fork();
        if (children[i] == 0) {
            for (int save = 0; save < 200; ++save) {
                SaveSettingsFile(stores[i], dir_.Path(), "a.ini", ReplaceAlways);
                TMemorySettingsStore read;
                OpenSettingsFile(read, dir_.Path(), "a.ini");
                if (Texts(read) != Texts(stores[0]) && Texts(read) != Texts(stores[1])) {
                    std::_Exit(1);
                }
            }
            std::_Exit(0);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(Entries(dir_.Path()), std::vector<std::string>{"a.ini"});
}

// The settings folder's Settings.ini first, else the one beside the program (in a folder the user
// may not write, as an installed program's is); both are the same directory when the program's is
// writable.
TEST_F(SettingsFile, StartupLoadReadsTheSettingsFoldersSettingsIniElseTheProgramDirectorys) {
    const std::string folder = dir_ / "folder";
    const std::string program = dir_ / "program";
    fs::create_directories(folder);
    fs::create_directories(program);
    WriteFile(program + "/Settings.ini", "[CodObj]\nText=5555\n[Edit1]\nText=+380671112233\n");
    WriteFile(folder + "/Settings.ini", "[CodObj]\r\nText=0042\r\n");
    struct TCase {
        std::string Folder;
        std::string Program;
        const char* ObjectCode;
        const char* SmsNumber2;
    };
    const TCase cases[] = {
        {folder, program, "0042", "\"?\""},
        {dir_ / "empty", program, "5555", "\"+380671112233\""},
        {program, program, "5555", "\"+380671112233\""},
        {folder, dir_ / "empty", "0042", "\"?\""},
        {dir_ / "empty", dir_ / "empty", "2222", "\"+380671234567\""},
    };
    for (const TCase& c : cases) {
        TMemorySettingsStore store;
        LoadStartupSettings(store, c.Folder, c.Program);
        EXPECT_EQ(store.Text(TTextField::ObjectCode), c.ObjectCode) << c.Folder << " " << c.Program;
        EXPECT_EQ(store.Text(TTextField::SmsNumber2), c.SmsNumber2) << c.Folder << " " << c.Program;
    }
}

}  // namespace
