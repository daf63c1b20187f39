#include "settings/SettingsFile.h"

#include <array>
#include <cstdio>
#include <optional>

#include "settings/FileAccess.h"
#include "settings/PathNames.h"
#include "settings/SettingsFolder.h"

namespace {

constexpr std::string_view ValueKey = "Text";
constexpr std::string_view MissingValue = "?";

using TFieldTexts = std::array<ByteString, TextFields.size()>;

ByteString Quoted(const ByteString& text) {
    return "\"" + text + "\"";
}

std::string CharacterName(char character) {
    switch (character) {
        case '\r':
            return "возврат каретки (0x0D)";
        case '\n':
            return "перевод строки (0x0A)";
        default: {
            char code[8];
            std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned char>(character));
            return code;
        }
    }
}

TFieldTexts TakeTextFields(const TSettingsStore& settings) {
    TFieldTexts texts;
    for (std::size_t i = 0; i < TextFields.size(); ++i) {
        texts[i] = settings.Text(TextFields[i].Field);
    }
    return texts;
}

// A line end would split the value over lines of the file and could even start a section there.
void RefuseUnstorable(const TFieldTexts& texts) {
    for (std::size_t i = 0; i < TextFields.size(); ++i) {
        const std::size_t bad = texts[i].find_first_of(std::string_view("\r\n\0", 3));
        if (bad != ByteString::npos) {
            throw ESettingsTextUnstorable(TextFields[i], texts[i][bad]);
        }
    }
}

TIniFile ReadExisting(const std::string& path) {
    const std::optional<ByteString> content = ReadFileBytes(path);
    if (!content) {
        throw ESettingsFileUnreadable(path);
    }
    return TIniFile(path, *content);
}

}  // namespace

ESettingsFileMissing::ESettingsFileMissing(const std::string& path)
    : std::runtime_error("Файл настроек не найден: " + PathForMessage(path)) {}

ESettingsFileUnreadable::ESettingsFileUnreadable(const std::string& path)
    : std::runtime_error("Не удалось прочитать файл настроек: " + PathForMessage(path)) {}

ESettingsTextUnstorable::ESettingsTextUnstorable(const TTextFieldInfo& field, char character)
    : std::runtime_error("Поле «" + std::string(field.Label) +
                         "» нельзя сохранить в файл настроек: в нём есть символ " +
                         CharacterName(character) + ".") {}

std::string SettingsFilePath(std::string_view chosenName) {
    return SettingsFilePath(SettingsFolder().Path, chosenName);
}

std::string SettingsFilePath(const std::string& directory, std::string_view chosenName) {
    const std::size_t cut = chosenName.find_last_of("/\\:");
    const std::string_view fileName =
        cut == std::string_view::npos ? chosenName : chosenName.substr(cut + 1);
    return JoinPath(directory, fileName);
}

void TrueReadIniFile(TSettingsStore& settings, const std::string& path) {
    TrueReadIniFile(settings, TIniFile(path));
}

void TrueReadIniFile(TSettingsStore& settings, const TIniFile& file) {
    ByteString sms1;
    ByteString sms2;
    for (const TTextFieldInfo& field : TextFields) {
        const ByteString value = file.ReadString(field.Control, ValueKey, MissingValue);
        settings.SetText(field.Field, value);
        if (field.Field == TTextField::SmsNumber1) {
            sms1 = value;
        } else if (field.Field == TTextField::SmsNumber2) {
            sms2 = value;
        }
    }
    settings.SetText(TTextField::SmsNumber1, Quoted(sms1));
    settings.SetText(TTextField::SmsNumber2, Quoted(sms2));
}

void OpenSettingsFile(TSettingsStore& settings, std::string_view chosenName) {
    OpenSettingsFile(settings, SettingsFolder().Path, chosenName);
}

void OpenSettingsFile(TSettingsStore& settings, const std::string& directory,
                      std::string_view chosenName) {
    const std::string path = SettingsFilePath(directory, chosenName);
    if (!PathExists(path)) {
        throw ESettingsFileMissing(path);
    }
    TrueReadIniFile(settings, ReadExisting(path));
}

bool SaveSettingsFile(const TSettingsStore& settings, std::string_view chosenName,
                      const std::function<bool(const std::string& path)>& confirmReplace) {
    return SaveSettingsFile(settings, SettingsFolder().Path, chosenName, confirmReplace);
}

bool SaveSettingsFile(const TSettingsStore& settings, const std::string& directory,
                      std::string_view chosenName,
                      const std::function<bool(const std::string& path)>& confirmReplace,
                      const TSaveRetry& retry) {
    const TFieldTexts texts = TakeTextFields(settings);
    RefuseUnstorable(texts);
    const std::string path = SettingsFilePath(directory, chosenName);
    const bool exists = PathExists(path);
    if (exists && !confirmReplace(path)) {
        return false;
    }
    // Other sections of an existing file are kept, so one that cannot be read cannot be replaced.
    std::optional<ByteString> old = exists ? ReadFileBytes(path) : ByteString();
    if (!old) {
        throw EIniFileException(path);
    }
    TIniFile file(path, *old);
    for (std::size_t i = 0; i < TextFields.size(); ++i) {
        file.WriteString(TextFields[i].Control, ValueKey, texts[i]);
    }
    file.UpdateFile(retry);
    return true;
}

void LoadStartupSettings(TSettingsStore& settings) {
    LoadStartupSettings(settings, SettingsFolder().Path, ProgramDirectory());
}

void LoadStartupSettings(TSettingsStore& settings, const std::string& settingsFolder,
                         const std::string& programDirectory) {
    for (const std::string& directory : {settingsFolder, programDirectory}) {
        const std::string path = SettingsFilePath(directory, StartupSettingsFileName);
        if (PathExists(path)) {
            TrueReadIniFile(settings, ReadExisting(path));
            return;
        }
    }
}
