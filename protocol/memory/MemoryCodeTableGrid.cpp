#include "protocol/memory/MemoryCodeTableGrid.h"

ByteString TMemoryCodeTableGrid::Cell(int column, int row) const {
    const auto cell = cells_.find({column, row});
    return cell == cells_.end() ? ByteString() : cell->second;
}

void TMemoryCodeTableGrid::SetCell(int column, int row, const ByteString& text) {
    cells_[{column, row}] = text;
}

void TMemoryCodeTableGrid::ClearColumn(int column) {
    std::erase_if(cells_, [column](const auto& cell) { return cell.first.first == column; });
}

void TMemoryCodeTableGrid::SetColumnWidth(int column, int pixels) {
    widths_[column] = pixels;
}

std::optional<int> TMemoryCodeTableGrid::ColumnWidth(int column) const {
    const auto width = widths_.find(column);
    return width == widths_.end() ? std::nullopt : std::optional<int>(width->second);
}
