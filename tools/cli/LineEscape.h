#pragma once

#include <string>

// Control characters and the backslash of a value are escaped ("\x0D", "\\") so that a value
// the panel or a file holds can neither end a line of the listing nor split a tab-separated one.
std::string EscapeForLine(const std::string& utf8);
