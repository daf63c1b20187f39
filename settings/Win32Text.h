#pragma once

#include <string>

// Paths go to and come from the Win32 calls as Unicode, so a folder or file name outside the ANSI
// code page (a Cyrillic user or program folder) works as well; the rest of the program keeps them
// in UTF-8.
std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);
