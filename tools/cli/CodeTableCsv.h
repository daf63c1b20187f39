#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/CodeTableGrid.h"
#include "serial/ByteString.h"

// The 25 rows of a code table as a CSV file: UTF-8 with a byte-order mark, so that spreadsheet
// programs show the Cyrillic names, the header "row,event,code", then "row,name,code" per row;
// values unescaped, quoted where they need it.
std::string CodeTableCsv(const TCodeTableGrid& grid);

// A file that is not a code table; the message names the line.
class ECodeTableCsv : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The codes of rows 1 to 25, in Windows-1251, from the text of such a file. The mark is optional,
// and the separator is "," or ";", whichever the header line shows first (spreadsheet programs in
// Russian locales write ";"). After the header the file must hold exactly rows 1 to 25 in order,
// three fields each; blank lines are passed over, and the names are not checked. Raises
// ECodeTableCsv.
std::vector<ByteString> ParseCodeTableCsv(std::string_view text);
