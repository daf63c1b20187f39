#pragma once

#include <string>
#include <string_view>

// Paths are UTF-8 strings with the platform's separators.

// The path up to its last separator: "." for a bare name, the root itself for a file in the root.
std::string DirectoryOf(const std::string& path);

// The directory, the platform's separator unless it ends with a separator, and the name.
std::string JoinPath(const std::string& directory, std::string_view name);

// The path as UTF-8, for messages.
inline std::string PathForMessage(const std::string& path) {
    return path;
}
