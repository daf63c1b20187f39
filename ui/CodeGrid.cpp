#include "ui/CodeGrid.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStyle>
#include <algorithm>
#include <iterator>
#include <limits>
#include <memory>
#include <stdexcept>

#include "ui/CoreTextTranslator.h"
#include "ui/WindowsText.h"

namespace {

constexpr int kDesignColumnWidth = 64;
constexpr int kRowHeight = 24;

std::unique_ptr<QTableWidgetItem> MakeItem(bool fixed, const QPalette& palette) {
    auto item = std::make_unique<QTableWidgetItem>();
    if (fixed) {
        item->setFlags(Qt::ItemIsEnabled);
        item->setBackground(palette.button());
    } else {
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
    }
    return item;
}

}  // namespace

QWidget* TUnlimitedCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                              const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setMaxLength(std::numeric_limits<int>::max());
    }
    return editor;
}

TCodeGrid::TCodeGrid(int codeColumnWidth, QWidget* parent)
    : QTableWidget(parent), designWidths_{kDesignColumnWidth, codeColumnWidth} {
    std::fill(std::begin(nameAdvances_), std::end(nameAdvances_), -1);
    // Hidden before the rows exist, the row header never lays out the 25 row numbers it won't show.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    setRowCount(kRows - 1);
    setColumnCount(kColumns);
    setItemDelegate(&cellDelegate_);
    for (int column = 0; column < kColumns; ++column) {
        setHorizontalHeaderItem(column, MakeItem(true, palette()).release());
        for (int row = 1; row < kRows; ++row) {
            setItem(row - 1, column, MakeItem(column == 0, palette()).release());
        }
    }
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(1);
    FitColumn(0);
    FitColumn(1);
    setShowGrid(true);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
}

QTableWidgetItem& TCodeGrid::GridItem(int column, int row) const {
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows) {
        throw std::out_of_range("code grid cell out of range");
    }
    return row == 0 ? *horizontalHeaderItem(column) : *item(row - 1, column);
}

ByteString TCodeGrid::Cell(int column, int row) const {
    return ToWindows1251(GridItem(column, row).text());
}

// The header and the event names are the table's texts, shown in the interface language; the
// codes are the technician's data and stay as they are.
void TCodeGrid::SetCell(int column, int row, const ByteString& text) {
    const QString shown = FromWindows1251(text);
    const bool fixed = column == 0 || row == 0;
    GridItem(column, row).setText(fixed ? TranslateCoreText(shown) : shown);
    if (fixed) {
        FitColumn(column);
    }
}

void TCodeGrid::ClearColumn(int column) {
    for (int row = 0; row < kRows; ++row) {
        GridItem(column, row).setText(QString());
    }
    FitColumn(column);
}

void TCodeGrid::SetColumnWidth(int column, int pixels) {
    designWidths_[column] = pixels;
    FitColumn(column);
}

int TCodeGrid::HeaderPadding() const {
    return 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
}

int TCodeGrid::CellPadding() const {
    return 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
}

// The design's width unless the font or the language makes a header or a name wider: those are
// shown whole, as the buttons' captions are.
void TCodeGrid::FitColumn(int column) {
    if (!isVisible()) {
        unfitted_[column] = true;
        return;
    }
    unfitted_[column] = false;
    ForgetAdvancesOfOldFonts();
    int width = designWidths_[column];
    if (!GridItem(column, 0).text().isEmpty()) {
        width = std::max(width, HeaderAdvance(column) + HeaderPadding());
    }
    if (column == 0) {
        const QFontMetrics metrics = fontMetrics();
        const int padding = CellPadding();
        for (int row = 1; row < kRows; ++row) {
            width = std::max(width, NameAdvance(row, metrics) + padding);
        }
    }
    setColumnWidth(column, width);
}

int TCodeGrid::HeaderAdvance(int column) {
    TMeasuredText& measured = headers_[column];
    const QString text = GridItem(column, 0).text();
    if (measured.Advance < 0 || measured.Text != text) {
        measured.Text = text;
        measured.Advance = horizontalHeader()->fontMetrics().horizontalAdvance(text);
    }
    return measured.Advance;
}

int TCodeGrid::NameAdvance(int row, const QFontMetrics& metrics) {
    int& advance = nameAdvances_[row];
    if (advance < 0) {
        advance = metrics.horizontalAdvance(GridItem(0, row).text());
    }
    return advance;
}

// However a name's cell changes, through SetCell or its item, its advance is measured again.
void TCodeGrid::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                            const QList<int>& roles) {
    if (topLeft.isValid() && topLeft.column() == 0) {
        for (int row = topLeft.row() + 1; row <= bottomRight.row() + 1 && row < kRows; ++row) {
            nameAdvances_[row] = -1;
        }
    }
    QTableWidget::dataChanged(topLeft, bottomRight, roles);
}

void TCodeGrid::showEvent(QShowEvent* event) {
    for (int column = 0; column < kColumns; ++column) {
        if (unfitted_[column]) {
            FitColumn(column);
        }
    }
    QTableWidget::showEvent(event);
}

void TCodeGrid::ForgetAdvancesOfOldFonts() {
    if (horizontalHeader()->font() != headerFont_) {
        headerFont_ = horizontalHeader()->font();
        for (TMeasuredText& measured : headers_) {
            measured.Advance = -1;
        }
    }
    if (font() != cellFont_) {
        cellFont_ = font();
        std::fill(std::begin(nameAdvances_), std::end(nameAdvances_), -1);
    }
}
