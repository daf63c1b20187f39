#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "settings/GprsSettings.h"
#include "settings/IniFile.h"
#include "settings/SaveRetry.h"

// Opening a settings file that is not in the program directory; nothing was changed.
class ESettingsFileMissing : public std::runtime_error {
  public:
    explicit ESettingsFileMissing(const std::string& path);
};

// Opening a settings file that exists but cannot be read; nothing was changed.
class ESettingsFileUnreadable : public std::runtime_error {
  public:
    explicit ESettingsFileUnreadable(const std::string& path);
};

// A field whose text cannot be kept in a settings file line (a line end or a 0x00 byte); nothing
// was written.
class ESettingsTextUnstorable : public std::runtime_error {
  public:
    ESettingsTextUnstorable(const TTextFieldInfo& field, char character);
};

inline constexpr std::string_view StartupSettingsFileName = "Settings.ini";

// The directory (by default the settings folder, see SettingsFolder.h) with a trailing separator,
// then the file-name part of the chosen name: the text after its last "/", "\" or drive colon. The
// folder the name was chosen in is not used.
std::string SettingsFilePath(std::string_view chosenName);
std::string SettingsFilePath(const std::string& directory, std::string_view chosenName);

// Fills the twelve text fields from the file, "?" for each one missing (a missing or unreadable
// file gives "?" for all), then puts both SMS numbers between double quotes.
void TrueReadIniFile(TSettingsStore& settings, const std::string& path);
void TrueReadIniFile(TSettingsStore& settings, const TIniFile& file);

// What follows the open dialog. Raises ESettingsFileMissing or ESettingsFileUnreadable, changing
// nothing, when the file cannot be read.
void OpenSettingsFile(TSettingsStore& settings, std::string_view chosenName);
void OpenSettingsFile(TSettingsStore& settings, const std::string& directory,
                      std::string_view chosenName);

// What follows the save dialog: takes all twelve text fields (an error from the store ends the
// save before anything is written), asks confirmReplace with the path that will be written when a
// file is there already, and writes the fields into that file, keeping its other sections and
// keys. Returns false when the replacement was declined. Raises ESettingsTextUnstorable, or
// EIniFileException with the old file left whole. The retry says how long a file that another
// program holds is waited for.
bool SaveSettingsFile(const TSettingsStore& settings, std::string_view chosenName,
                      const std::function<bool(const std::string& path)>& confirmReplace);
bool SaveSettingsFile(const TSettingsStore& settings, const std::string& directory,
                      std::string_view chosenName,
                      const std::function<bool(const std::string& path)>& confirmReplace,
                      const TSaveRetry& retry = TSaveRetry());

// Reads "Settings.ini" of the settings folder when it holds one, else the one in the program
// directory (one placed beside a program in a folder the user may not write is still read; saves
// go to the settings folder all the same); silent when neither holds one.
void LoadStartupSettings(TSettingsStore& settings);
void LoadStartupSettings(TSettingsStore& settings, const std::string& settingsFolder,
                         const std::string& programDirectory);
