#pragma once

#include <cstdint>

#include "serial/ByteString.h"

// The journal grid: column 0 (numbers) and row 0 (header) are fixed. Texts are Windows-1251 bytes.
class TJournalGrid {
  public:
    virtual ~TJournalGrid() = default;
    // Empties every cell of the current rows and columns and drops every row colour.
    virtual void Clear() = 0;
    // Rows including the header; a value below 1 counts as 1.
    virtual void SetRowCount(int rows) = 0;
    virtual void SetCellText(int column, int row, const ByteString& text) = 0;
    // Colours the non-fixed cells of the row. A colour word with top byte 0xFF is a system colour
    // whose index is the low byte; otherwise the low byte is red, then green, then blue.
    virtual void SetRowColor(int row, uint32_t color) = 0;
};
