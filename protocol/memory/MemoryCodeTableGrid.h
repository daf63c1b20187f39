#pragma once

#include <map>
#include <optional>
#include <utility>

#include "protocol/CodeTableGrid.h"

// A code-table grid of cells only, for the command-line tool and the tests; a cell never written
// reads as empty. Column widths are remembered so that a test can see what was set.
class TMemoryCodeTableGrid final : public TCodeTableGrid {
  public:
    ByteString Cell(int column, int row) const override;
    void SetCell(int column, int row, const ByteString& text) override;
    void ClearColumn(int column) override;
    void SetColumnWidth(int column, int pixels) override;

    std::optional<int> ColumnWidth(int column) const;

  private:
    std::map<std::pair<int, int>, ByteString> cells_;
    std::map<int, int> widths_;
};
