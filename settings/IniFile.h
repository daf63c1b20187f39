#pragma once

#include <string>
#include <string_view>

#include "serial/ByteString.h"
#include "settings/IniDocument.h"
#include "settings/IniFileException.h"
#include "settings/SaveRetry.h"

// One private-profile file, made for one operation: its content is read when the object is made,
// reads and writes work on that content, and UpdateFile puts every write on the disk at once.
class TIniFile {
  public:
    // A missing or unreadable file reads as empty, as the Windows private-profile rules have it.
    explicit TIniFile(std::string path);
    TIniFile(std::string path, std::string_view content);

    const std::string& Path() const { return path_; }

    // Windows' GetPrivateProfileStringA rules: see TIniDocument::ReadString.
    ByteString ReadString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const {
        return document_.ReadString(section, key, defaultValue);
    }
    // Windows' WritePrivateProfileStringA rules, applied to the content held here.
    void WriteString(std::string_view section, std::string_view key, std::string_view value) {
        document_.WriteString(section, key, value);
    }

    // Replaces the file with the content atomically: a failed or interrupted update leaves the old
    // file whole; a file that another program holds is waited for as the retry allows. Raises
    // EIniFileException.
    void UpdateFile(const TSaveRetry& retry = TSaveRetry()) const;

  private:
    std::string path_;
    TIniDocument document_;
};
