#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "protocol/CodeTableGrid.h"
#include "protocol/JournalGrid.h"

// A code-table grid of cells only; a cell never written reads as empty.
class TFakeCodeTableGrid final : public TCodeTableGrid {
  public:
    ByteString Cell(int column, int row) const override {
        const auto found = cells_.find({column, row});
        return found == cells_.end() ? ByteString() : found->second;
    }
    void SetCell(int column, int row, const ByteString& text) override {
        cells_[{column, row}] = text;
    }
    void ClearColumn(int column) override {
        std::erase_if(cells_, [column](const auto& cell) { return cell.first.first == column; });
    }
    void SetColumnWidth(int column, int pixels) override { widths_[column] = pixels; }

    std::optional<int> ColumnWidth(int column) const {
        const auto found = widths_.find(column);
        return found == widths_.end() ? std::nullopt : std::optional<int>(found->second);
    }

  private:
    std::map<std::pair<int, int>, ByteString> cells_;
    std::map<int, int> widths_;
};

// A journal grid that behaves like the window's: two columns, three rows before the first
// download, colours on the event cell only.
class TFakeJournalGrid final : public TJournalGrid {
  public:
    struct TRow {
        ByteString Number;
        ByteString Event;
        std::optional<uint32_t> Color;
        bool operator==(const TRow&) const = default;
    };

    void Clear() override {
        for (TRow& row : rows_) {
            row = TRow{};
        }
    }
    void SetRowCount(int rows) override {
        rows_.resize(static_cast<std::size_t>(std::max(rows, 1)));
    }
    void SetCellText(int column, int row, const ByteString& text) override {
        TRow& target = rows_.at(static_cast<std::size_t>(row));
        (column == 0 ? target.Number : target.Event) = text;
    }
    void SetRowColor(int row, uint32_t color) override {
        rows_.at(static_cast<std::size_t>(row)).Color = color;
    }

    const std::vector<TRow>& Rows() const { return rows_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }

  private:
    std::vector<TRow> rows_ = std::vector<TRow>(3);
};
