#include "settings/IniFile.h"

#include <utility>

#include "settings/FileAccess.h"

TIniFile::TIniFile(std::string path)
    : path_(std::move(path)), document_(ReadFileBytes(path_).value_or(ByteString())) {}

TIniFile::TIniFile(std::string path, std::string_view content)
    : path_(std::move(path)), document_(content) {}

void TIniFile::UpdateFile(const TSaveRetry& retry) const {
    ReplaceFileAtomically(path_, document_.Content(), retry);
}
