#pragma once

#include <optional>
#include <vector>

#include "protocol/JournalGrid.h"

// A journal grid that behaves like the window's, for the command-line tool and the tests: two
// columns, the three rows the window's grid has before the first download, colours on the event
// cell only. A row outside the grid raises std::out_of_range.
class TMemoryJournalGrid final : public TJournalGrid {
  public:
    struct TRow {
        ByteString Number;
        ByteString Event;
        std::optional<uint32_t> Color;
        bool operator==(const TRow&) const = default;
    };

    TMemoryJournalGrid();

    void Clear() override;
    void SetRowCount(int rows) override;
    void SetCellText(int column, int row, const ByteString& text) override;
    void SetRowColor(int row, uint32_t color) override;

    const std::vector<TRow>& Rows() const { return rows_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    const ByteString& CellText(int column, int row) const;
    std::optional<uint32_t> RowColor(int row) const;

  private:
    TRow& RowAt(int row);
    const TRow& RowAt(int row) const;

    std::vector<TRow> rows_;
};
