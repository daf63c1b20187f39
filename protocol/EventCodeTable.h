#pragma once

#include <string_view>

#include "protocol/CodeTableGrid.h"
#include "serial/ByteString.h"

enum class TCodeTableKind { Events, Restore };

// One of the two report-code tables: 25 rows of an event-kind name and a three-character code.
// The rows live in the grid (column 0 the names, column 1 the codes, row 0 the header), which is
// their only store; this class knows which table it is and what that table sends and asks for.
class TEventCodeTable {
  public:
    static constexpr int Rows = 25;
    static constexpr int NameColumn = 0;
    static constexpr int CodeColumn = 1;
    static constexpr int CodeLength = 3;
    static constexpr int NameColumnWidth = 150;
    static constexpr std::string_view NameHeader = "Событие";
    // The code every row holds before its own default, if any, is written.
    static constexpr std::string_view FillerCode = "000";

    TEventCodeTable(TCodeTableKind kind, TCodeTableGrid& grid) : kind_(kind), grid_(grid) {}

    TCodeTableKind Kind() const { return kind_; }
    TCodeTableGrid& Grid() const { return grid_; }

    // Rows count from 1. Names and headers are UTF-8; the grid holds Windows-1251.
    static std::string_view RowName(int row);
    static std::string_view DefaultCode(int row);
    std::string_view CodeHeader() const;
    char UploadLetter() const;
    // What follows the 25th code of the upload: ";" for restore codes, nothing for event codes.
    ByteString UploadTerminator() const;
    ByteString Query() const;

    ByteString Code(int row) const { return grid_.Cell(CodeColumn, row); }
    void SetCode(int row, const ByteString& code) { grid_.SetCell(CodeColumn, row, code); }
    ByteString Name(int row) const { return grid_.Cell(NameColumn, row); }

  private:
    TCodeTableKind kind_;
    TCodeTableGrid& grid_;
};
