#pragma once

#include <QStyledItemDelegate>
#include <QTableWidget>

#include "protocol/CodeTableGrid.h"

// Code cells take any number of characters while edited; the length is checked at upload.
class TUnlimitedCellDelegate final : public QStyledItemDelegate {
    Q_OBJECT

  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};

// A report-code grid: row 0 is the fixed header row (the table's header), column 0 the fixed
// column of event names; the code cells of column 1 are edited in place without a length limit.
class TCodeGrid final : public QTableWidget, public TCodeTableGrid {
    Q_OBJECT

  public:
    static constexpr int kRows = 26;
    static constexpr int kColumns = 2;

    explicit TCodeGrid(int codeColumnWidth, QWidget* parent = nullptr);

    ByteString Cell(int column, int row) const override;
    void SetCell(int column, int row, const ByteString& text) override;
    void ClearColumn(int column) override;
    void SetColumnWidth(int column, int pixels) override;

    // The cell in the grid's own numbering, row 0 being the header.
    QTableWidgetItem& GridItem(int column, int row) const;

    // Room a header's or a name's text needs around it in a cell.
    int HeaderPadding() const;
    int CellPadding() const;

  protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles) override;
    void showEvent(QShowEvent* event) override;

  private:
    // A header's text with the advance it was last measured at.
    struct TMeasuredText {
        QString Text;
        int Advance = -1;
    };

    void FitColumn(int column);
    int HeaderAdvance(int column);
    int NameAdvance(int row, const QFontMetrics& metrics);
    void ForgetAdvancesOfOldFonts();

    TUnlimitedCellDelegate cellDelegate_;
    // The widths the columns are given; a column is wider only when a header or a name needs it.
    int designWidths_[kColumns];
    // Refitting a column measures only the texts that changed since it was last fitted, so
    // filling a table stays linear. A name's advance is -1 until it is measured.
    TMeasuredText headers_[kColumns];
    int nameAdvances_[kRows];
    // A hidden grid's columns are fitted when it is next shown: nobody sees their widths before,
    // and the window starts on another page.
    bool unfitted_[kColumns] = {};
    QFont headerFont_;
    QFont cellFont_;
};
