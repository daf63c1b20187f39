#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "language/Language.h"

// irven-cli from its arguments to its exit code: 0 on success, 1 when the exchange failed, 2 on a
// usage error. The help and the messages speak the language --lang names, else the system's.
int RunCliProgram(std::vector<std::string> arguments, TLanguage systemLanguage, std::ostream& out,
                  std::ostream& err);
