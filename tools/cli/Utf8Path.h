#pragma once

#include <filesystem>
#include <string>

// A path typed on the command line, UTF-8 inside the tool. The file streams open such a path
// through the Unicode calls on Windows, so a Cyrillic name is that name whatever the ANSI code
// page; a narrow string there would be read in the ANSI code page.
inline std::filesystem::path Utf8Path(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
