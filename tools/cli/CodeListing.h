#pragma once

#include <string>

#include "protocol/CodeTableGrid.h"

// The 25 rows of a code table as "row<TAB>name<TAB>code" lines in UTF-8.
std::string ListCodes(const TCodeTableGrid& grid);
