#include "protocol/memory/MemoryJournalGrid.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {
constexpr int InitialRows = 3;
constexpr int NumberColumn = 0;
}  // namespace

TMemoryJournalGrid::TMemoryJournalGrid() : rows_(InitialRows) {}

void TMemoryJournalGrid::Clear() {
    std::fill(rows_.begin(), rows_.end(), TRow{});
}

void TMemoryJournalGrid::SetRowCount(int rows) {
    rows_.resize(static_cast<size_t>(std::max(rows, 1)));
}

void TMemoryJournalGrid::SetCellText(int column, int row, const ByteString& text) {
    TRow& target = RowAt(row);
    (column == NumberColumn ? target.Number : target.Event) = text;
}

void TMemoryJournalGrid::SetRowColor(int row, uint32_t color) {
    RowAt(row).Color = color;
}

const ByteString& TMemoryJournalGrid::CellText(int column, int row) const {
    const TRow& source = RowAt(row);
    return column == NumberColumn ? source.Number : source.Event;
}

std::optional<uint32_t> TMemoryJournalGrid::RowColor(int row) const {
    return RowAt(row).Color;
}

TMemoryJournalGrid::TRow& TMemoryJournalGrid::RowAt(int row) {
    if (row < 0 || row >= RowCount()) {
        throw std::out_of_range("journal grid row " + std::to_string(row));
    }
    return rows_[static_cast<size_t>(row)];
}

const TMemoryJournalGrid::TRow& TMemoryJournalGrid::RowAt(int row) const {
    return const_cast<TMemoryJournalGrid*>(this)->RowAt(row);
}
