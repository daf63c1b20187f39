#pragma once

#include "serial/ByteString.h"

// The grid that stores one report-code table: column 0 the event names, column 1 the codes, row 0
// the header. Cell texts are Windows-1251 bytes; the window converts at its edge.
class TCodeTableGrid {
  public:
    virtual ~TCodeTableGrid() = default;
    virtual ByteString Cell(int column, int row) const = 0;
    virtual void SetCell(int column, int row, const ByteString& text) = 0;
    // Empties every cell of the column, header included.
    virtual void ClearColumn(int column) = 0;
    virtual void SetColumnWidth(int column, int pixels) = 0;
};
