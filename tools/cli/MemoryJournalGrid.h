#pragma once

#include <array>
#include <optional>
#include <vector>

#include "protocol/JournalGrid.h"

// The journal grid of the tool: two columns, rows with their texts and colours. It starts with
// the three rows the window's grid has before the first download.
class TMemoryJournalGrid final : public TJournalGrid {
  public:
    TMemoryJournalGrid();

    void Clear() override;
    void SetRowCount(int rows) override;
    void SetCellText(int column, int row, const ByteString& text) override;
    void SetRowColor(int row, uint32_t color) override;

    int RowCount() const { return static_cast<int>(rows_.size()); }
    const ByteString& CellText(int column, int row) const;
    std::optional<uint32_t> RowColor(int row) const;

  private:
    struct TRow {
        std::array<ByteString, 2> Cells;
        std::optional<uint32_t> Color;
    };
    TRow& RowAt(int row);
    const TRow& RowAt(int row) const;

    std::vector<TRow> rows_;
};
