#pragma once

#include <optional>
#include <string>

#include "serial/ByteString.h"
#include "settings/SaveRetry.h"

// The few file-system steps of the settings file. Paths are UTF-8; Windows gets them as Unicode,
// so a folder or file name outside the ANSI code page works as well.

// The directory that holds the running executable, without a trailing separator.
std::string ExecutableDirectory();

// Whether anything (a file or a directory) exists at the path.
bool PathExists(const std::string& path);

// Whether the program may make and replace files in the directory.
bool DirectoryWritable(const std::string& path);

// Makes the directory and any missing parents, readable by the user alone; false when one cannot
// be made.
bool MakeDirectories(const std::string& path);

// Whole file as bytes; none when it is missing or cannot be read.
std::optional<ByteString> ReadFileBytes(const std::string& path);

// Writes the content to a temporary file beside the path (see TemporaryFile.h), flushes it to the
// disk and renames it over the path, so that the path holds either its old content or the new
// one, never a part. A file that another program holds is waited for as the retry allows.
// Raises EIniFileException; the temporary file is then removed and the old file left whole.
void ReplaceFileAtomically(const std::string& path, const ByteString& content,
                           const TSaveRetry& retry = TSaveRetry());
