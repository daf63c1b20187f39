#pragma once

#include <string>
#include <string_view>

// Paths are UTF-8 strings with the platform's separators.

// The separator that JoinPath puts: "/", on Windows "\".
char PathSeparator();

// Every character that separates a path's parts: "/", on Windows "\" and "/".
std::string_view PathSeparators();

// What ends the folder part of a path as the system reads it: a separator, and on Windows also the
// colon after a drive letter ("D:site.ini" is site.ini in the current folder of drive D).
std::string_view FolderEnds();

// The path up to its last separator: "." for a bare name, the root itself for a file in the root.
std::string DirectoryOf(const std::string& path);

// The directory, the platform's separator unless it ends with a separator, and the name.
std::string JoinPath(const std::string& directory, std::string_view name);

// The path as UTF-8, for messages.
inline std::string PathForMessage(const std::string& path) {
    return path;
}
