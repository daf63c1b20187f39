#pragma once

#include <QStyledItemDelegate>
#include <QTableWidget>

#include "protocol/JournalGrid.h"

// Paints the journal cells: the number column with the fixed-cell look, each event cell on its
// row colour, resolved against the palette at paint time, and the selection in its own green.
class TJournalCellDelegate final : public QStyledItemDelegate {
    Q_OBJECT

  public:
    static constexpr int kColorWordRole = Qt::UserRole + 1;
    // Colour word 0x00C0DCC0.
    static inline const QColor SelectionColor{192, 220, 192};

    explicit TJournalCellDelegate(QObject* parent = nullptr);

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

  private:
    QFont fixedFont_;
};

// StringGrid1: column 0 ("Номер") and row 0 (the header) are fixed, so a row colour reaches the
// event cell alone. The user cannot edit it.
class TJournalGridView final : public QTableWidget, public TJournalGrid {
    Q_OBJECT

  public:
    explicit TJournalGridView(QWidget* parent = nullptr);

    void Clear() override;
    void SetRowCount(int rows) override;
    void SetCellText(int column, int row, const ByteString& text) override;
    void SetRowColor(int row, uint32_t color) override;

    // Rows including the header, and cells in the grid's own numbering, row 0 being the header.
    int RowCount() const { return rowCount() + 1; }
    QString CellText(int column, int row) const;
    // The colour word a row was given, if any.
    std::optional<uint32_t> RowColor(int row) const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QTableWidgetItem& Item(int column, int row);

    TJournalCellDelegate cellDelegate_;
};
