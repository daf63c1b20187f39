#pragma once

#include <string>

// Control characters, C0 and C1 alike, and the backslash of a value are escaped ("\x0D", "\x98",
// "\\") so that a value the panel or a file holds can neither end a line of the listing, split a
// tab-separated one nor drive the terminal. A C1 control is written as its code point, which is
// also the Windows-1251 byte it came from.
std::string EscapeForLine(const std::string& utf8);
