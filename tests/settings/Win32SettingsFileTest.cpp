#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <utility>
#include <vector>

#include "settings/FileAccess.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsFolder.h"
#include "settings/TemporaryFile.h"

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
        for (const fs::directory_entry& entry : fs::directory_iterator(Directory)) {
            if (entry.path().extension() != ".exe") {
                SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
                fs::remove_all(entry.path());
            }
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

TEST_F(Win32SettingsFile, StartupLoadFindsSettingsIniInACyrillicProgramFolder) {
    std::ofstream(Directory / "Settings.ini", std::ios::binary) << "[CodObj]\r\nText=777\r\n";
    TMemorySettingsStore store;
    LoadStartupSettings(store, ProgramDir + "\\Іван", ProgramDir);
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

// The installer's per-user folder is writable by its user, as an unpacked archive is: the settings
// stay beside the program, uninstaller or not, where an upgrade and an uninstall leave them.
TEST_F(Win32SettingsFile, AnInstalledProgramInAWritableFolderKeepsItsSettingsBesideIt) {
    const fs::path uninstaller = Directory / "uninstall.exe";
    std::ofstream(uninstaller, std::ios::binary) << "MZ";
    const TSettingsFolder installed = SettingsFolder();
    fs::remove(uninstaller);
    EXPECT_TRUE(installed.InProgramDirectory);
    EXPECT_EQ(installed.Path, ProgramDir);
}

std::vector<std::string> Entries(const fs::path& directory) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
        if (entry.path().extension() != ".exe") {
            const std::u8string name = entry.path().filename().u8string();
            names.emplace_back(name.begin(), name.end());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Another program holds a file open while a save runs: a virus scanner or Explorer's preview the
// settings file (sharing reading and writing, not deletion), a second saver the temporary file.
// The save waits for it; the sleeper only counts, and lets the file go after so many waits.
TEST_F(Win32SettingsFile, ASaveWaitsForAFileThatAnotherProgramHoldsOpen) {
    struct TCase {
        const char* What;
        const char* Held;
        DWORD Access;
        DWORD Share;
        int LetGoAfter;
        std::size_t Waits;
    };
    const std::string temporary = std::string(kFileName) + ".tmp";
    const TCase cases[] = {
        {"the settings file", kFileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, 3, 3},
        {"a second saver's file", temporary.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, 3, 3},
        {"the settings file, never let go", kFileName, GENERIC_READ,
         FILE_SHARE_READ | FILE_SHARE_WRITE, -1, 40},
    };
    const fs::path file = Directory / FromUtf8(kFileName);
    const ByteString old = "[CodObj]\r\nText=1\r\n";
    for (const TCase& c : cases) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << old;
        HANDLE holder = CreateFileW((Directory / FromUtf8(c.Held)).c_str(), c.Access, c.Share,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE) << c.What;
        std::size_t waits = 0;
        const TSaveRetry retry(
            [&](uint32_t) {
                if (++waits == static_cast<std::size_t>(c.LetGoAfter)) {
                    CloseHandle(std::exchange(holder, INVALID_HANDLE_VALUE));
                }
            },
            2000, 50);
        bool saved = false;
        try {
            saved = SaveSettingsFile(
                TMemorySettingsStore(), ProgramDir, kFileName,
                [](const std::string&) { return true; }, retry);
        } catch (const EIniFileException& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + ProgramDir + "\\" + kFileName);
        }
        if (holder != INVALID_HANDLE_VALUE) {
            CloseHandle(holder);
        }
        EXPECT_EQ(saved, c.LetGoAfter > 0) << c.What;
        EXPECT_EQ(waits, c.Waits) << c.What;
        EXPECT_EQ(ReadBytes(file).find("Text=2222") != ByteString::npos, saved) << c.What;
        EXPECT_EQ(Entries(Directory), std::vector<std::string>{kFileName}) << c.What;
    }
}

// A read-only leftover temporary file (Windows lets no one but an administrator open it, nor
// remove it) does not block a save, nor makes the settings file read-only; a link under the name
// is removed, never written through.
TEST_F(Win32SettingsFile, WhatLiesUnderTheTemporaryNameNeverBlocksASave) {
    const fs::path file = Directory / FromUtf8(kFileName);
    const fs::path temporary = Directory / FromUtf8(std::string(kFileName) + ".tmp");
    const fs::path victim = Directory / "victim.ini";
    std::ofstream(temporary, std::ios::binary) << "left";
    SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(SaveSettingsFile(TMemorySettingsStore(), ProgramDir, kFileName,
                                 [](const std::string&) { return true; }));
    EXPECT_NE(ReadBytes(file).find("Text=2222"), ByteString::npos);
    EXPECT_EQ(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove(temporary);

    std::ofstream(victim, std::ios::binary) << "victim";
    if (!CreateSymbolicLinkW(temporary.c_str(), victim.c_str(), 0)) {
        return;  // Links need a privilege the user may not hold.
    }
    ASSERT_TRUE(SaveSettingsFile(TMemorySettingsStore(), ProgramDir, kFileName,
                                 [](const std::string&) { return true; }));
    EXPECT_EQ(ReadBytes(victim), "victim");
    EXPECT_EQ(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
    EXPECT_NE(ReadBytes(file).find("Text=2222"), ByteString::npos);
}

// A leftover NAME.tmp is taken over only when it is this user's; another user's, or one whose owner
// cannot be read, is removed (the name is empty when the save waits to make it again) and made
// afresh, never written through. The check is asked again about the save's own new file.
TEST_F(Win32SettingsFile, ALeftoverTemporaryFileIsTakenOverOnlyWhenItIsTheUsers) {
    struct TCase {
        const char* What;
        std::vector<TFileOwner> Answers;  // none: the system's own check
        std::size_t Asked;
        bool Removed;
    };
    const TCase cases[] = {
        {"the user's", {TFileOwner::Mine}, 1, false},
        {"another user's", {TFileOwner::Another, TFileOwner::Mine}, 2, true},
        {"an owner that cannot be read", {TFileOwner::Unknown, TFileOwner::Mine}, 2, true},
        {"the system's check of a file this user left", {}, 0, false},
    };
    const std::string target = ProgramDir + "\\" + kFileName;
    const fs::path temporary = Directory / FromUtf8(std::string(kFileName) + ".tmp");
    for (const TCase& c : cases) {
        std::ofstream(temporary, std::ios::binary) << "left";
        std::size_t asked = 0;
        const TTemporaryFile::TOwnerCheck check =
            c.Answers.empty()
                ? TTemporaryFile::TOwnerCheck(TTemporaryFile::OwnerOf)
                : [&](const TTemporaryFile::TOpenFile&) { return c.Answers.at(asked++); };
        std::size_t waits = 0;
        bool emptyAtWait = false;
        const TSaveRetry retry(
            [&](uint32_t) {
                ++waits;
                emptyAtWait = !fs::exists(temporary);
            },
            2000, 50);
        {
            TTemporaryFile file(target, retry, check);
            ASSERT_TRUE(file.Held()) << c.What;
            ASSERT_TRUE(file.Write("new")) << c.What;
            ASSERT_TRUE(file.RenameOver()) << c.What;
        }
        EXPECT_EQ(asked, c.Asked) << c.What;
        EXPECT_EQ(waits, c.Removed ? 1u : 0u) << c.What;
        EXPECT_EQ(emptyAtWait, c.Removed) << c.What;
        EXPECT_EQ(ReadBytes(Directory / FromUtf8(kFileName)), "new") << c.What;
        EXPECT_EQ(Entries(Directory), std::vector<std::string>{kFileName}) << c.What;
    }
}

// The user's data folder comes from the shell in Unicode, so a user name outside the ANSI code
// page (C:\Users\Іван) gives the right folder, which %APPDATA% would not. The shell is pointed at
// a Cyrillic folder through the user's shell-folder key, as Windows keeps it, for this test only.
TEST_F(Win32SettingsFile, TheUsersDataFolderIsRightForACyrillicUserName) {
    const wchar_t* key =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    HKEY folders = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &folders),
              ERROR_SUCCESS);
    std::wstring original(1024, L'\0');
    DWORD type = REG_EXPAND_SZ;
    DWORD size = static_cast<DWORD>(original.size() * sizeof(wchar_t));
    const bool had =
        RegQueryValueExW(folders, L"AppData", nullptr, &type,
                         reinterpret_cast<BYTE*>(original.data()), &size) == ERROR_SUCCESS;
    const fs::path roaming = Directory / FromUtf8("Іван") / "AppData" / "Roaming";
    fs::create_directories(roaming);
    const std::wstring value = roaming.wstring();
    RegSetValueExW(folders, L"AppData", 0, REG_EXPAND_SZ,
                   reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    const std::optional<std::string> found = UserDataDirectory();
    if (had) {
        RegSetValueExW(folders, L"AppData", 0, type, reinterpret_cast<const BYTE*>(original.data()),
                       size);
    } else {
        RegDeleteValueW(folders, L"AppData");
    }
    RegCloseKey(folders);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(FromUtf8(*found), roaming);
    const TSettingsFolder folder = ChooseSettingsFolder(ProgramDir, false, found);
    ASSERT_TRUE(MakeDirectories(folder.Path));
    ASSERT_TRUE(SaveSettingsFile(TMemorySettingsStore(), folder.Path, "Settings.ini",
                                 [](const std::string&) { return true; }));
    EXPECT_TRUE(fs::exists(roaming / "irven-configurator" / "Settings.ini"));
}

}  // namespace
