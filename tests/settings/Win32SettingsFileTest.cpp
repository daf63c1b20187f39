#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings/SettingsFile.h"
#include "settings/SettingsFolder.h"

namespace fs = std::filesystem;

namespace {

// This executable is built into a folder with a Cyrillic name, as a technician's program folder
// often is; the ANSI code page cannot hold every such name, so the paths must go as Unicode.
constexpr const char* kProgramFolder = "Конфігуратор";
constexpr const char* kFileName = "Об'єкт.ini";

fs::path FromUtf8(const std::string& path) {
    return fs::path(std::u8string(path.begin(), path.end()));
}

ByteString ReadBytes(const fs::path& path) {
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    return content.str();
}

class Win32SettingsFile : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 1251u) << "run under the ru_RU.UTF-8 locale: Wine's ANSI code page";
        for (const char* name : {kFileName, "Settings.ini"}) {
            fs::remove(Directory / FromUtf8(name));
        }
    }

    const std::string ProgramDir = ProgramDirectory();
    const fs::path Directory = FromUtf8(ProgramDir);
};

TEST_F(Win32SettingsFile, TheProgramDirectoryIsTheExecutablesFolderInUtf8) {
    EXPECT_EQ(FromUtf8(ProgramDir).filename(), FromUtf8(kProgramFolder));
    EXPECT_TRUE(fs::exists(Directory / "settings_win32_tests.exe"));
}

TEST_F(Win32SettingsFile, ACyrillicFileSavesAndOpensInTheProgramDirectory) {
    TGprsSettings values;
    values.Sim1.Apn = "\xF2\xEE\xF7\xEA\xE0";  // "точка" in Windows-1251
    values.ObjectCode = "4321";
    ASSERT_TRUE(SaveSettingsFile(TMemorySettingsStore(values), ProgramDir,
                                 std::string("C:\\Users\\Іван\\") + kFileName,
                                 [](const std::string&) { return true; }));
    const ByteString content = ReadBytes(Directory / FromUtf8(kFileName));
    EXPECT_NE(content.find("[TochDost1]\r\nText=\xF2\xEE\xF7\xEA\xE0\r\n"), ByteString::npos);

    TMemorySettingsStore opened;
    OpenSettingsFile(opened, ProgramDir, kFileName);
    EXPECT_EQ(opened.Text(TTextField::Sim1Apn), values.Sim1.Apn);
    EXPECT_EQ(opened.Text(TTextField::ObjectCode), "4321");
}

TEST_F(Win32SettingsFile, StartupLoadFindsSettingsIniInACyrillicFolder) {
    std::ofstream(Directory / "Settings.ini", std::ios::binary) << "[CodObj]\r\nText=777\r\n";
    TMemorySettingsStore store;
    LoadStartupSettings(store, ProgramDir);
    EXPECT_EQ(store.Text(TTextField::ObjectCode), "777");
}

TEST_F(Win32SettingsFile, AReadOnlyFileIsRefusedWithItsPathInUtf8) {
    const fs::path file = Directory / FromUtf8(kFileName);
    std::ofstream(file, std::ios::binary) << "[Keep]\r\nMe=1\r\n";
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    try {
        SaveSettingsFile(TMemorySettingsStore(), ProgramDir, kFileName,
                         [](const std::string&) { return true; });
        ADD_FAILURE() << "saved over a read-only file";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + ProgramDir + "\\" + kFileName);
    }
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(file), "[Keep]\r\nMe=1\r\n");
}

// The installer's folder is writable by its user, as an unpacked archive is; its uninstaller beside
// the program sends the settings to the user's folder, where an upgrade and an uninstall leave
// them.
TEST_F(Win32SettingsFile, AnInstalledProgramKeepsItsSettingsInTheUsersFolder) {
    EXPECT_EQ(SettingsFolder().Path, ProgramDir);
    const fs::path uninstaller = Directory / "uninstall.exe";
    std::ofstream(uninstaller, std::ios::binary) << "MZ";
    const TSettingsFolder installed = SettingsFolder();
    fs::remove(uninstaller);
    EXPECT_FALSE(installed.InProgramDirectory);
    EXPECT_TRUE(installed.Path.ends_with("\\irven-configurator")) << installed.Path;
}

}  // namespace
