#pragma once

#include <cstdio>
#include <string>

// The steps of FileAccess.cpp that each platform takes its own way (FileAccessPosix.cpp,
// FileAccessWin32.cpp).

// Opens the file for reading bytes; null when it cannot be opened.
std::FILE* OpenForReading(const std::string& path);

// Whether a save may replace the file: it is missing, or may be written.
bool TargetWritable(const std::string& path);

// Makes one directory, readable by the user alone; true also when it exists already.
bool MakeDirectory(const std::string& path);
