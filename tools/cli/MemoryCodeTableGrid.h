#pragma once

#include <map>
#include <utility>

#include "protocol/CodeTableGrid.h"

// The code-table grid of the tool: cells only, a cell never written reads as empty.
class TMemoryCodeTableGrid final : public TCodeTableGrid {
  public:
    ByteString Cell(int column, int row) const override;
    void SetCell(int column, int row, const ByteString& text) override;
    void ClearColumn(int column) override;
    void SetColumnWidth(int, int) override {}

  private:
    std::map<std::pair<int, int>, ByteString> cells_;
};
