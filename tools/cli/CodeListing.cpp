#include "tools/cli/CodeListing.h"

#include "protocol/Cp1251.h"
#include "tools/cli/LineEscape.h"

namespace {
constexpr int NameColumn = 0;
constexpr int CodeColumn = 1;
constexpr int Rows = 25;
}  // namespace

std::string ListCodes(const TCodeTableGrid& grid) {
    std::string lines;
    for (int row = 1; row <= Rows; ++row) {
        lines += std::to_string(row) + "\t" +
                 EscapeForLine(Cp1251ToUtf8(grid.Cell(NameColumn, row))) + "\t" +
                 EscapeForLine(Cp1251ToUtf8(grid.Cell(CodeColumn, row))) + "\n";
    }
    return lines;
}
