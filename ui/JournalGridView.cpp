#include "ui/JournalGridView.h"

#include <QHeaderView>
#include <memory>
#include <stdexcept>

#include "ui/ColorWord.h"
#include "ui/CoreTextTranslator.h"
#include "ui/WindowsText.h"

namespace {

constexpr int kColumns = 2;
constexpr int kStartRows = 3;
constexpr int kHeaderHeight = 22;
constexpr int kRowHeight = 24;
constexpr int kNumberColumnWidth = 64;
constexpr int kEventColumnWidth = 510;

QFont GridFont(int pixels, bool bold) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

}  // namespace

TJournalCellDelegate::TJournalCellDelegate(QObject* parent)
    : QStyledItemDelegate(parent), fixedFont_(GridFont(11, true)) {}

void TJournalCellDelegate::initStyleOption(QStyleOptionViewItem* option,
                                           const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const QPalette system = option->palette;
    const QColor text = system.color(QPalette::WindowText);
    option->palette.setColor(QPalette::Text, text);
    option->palette.setColor(QPalette::HighlightedText, text);
    option->palette.setColor(QPalette::Highlight, SelectionColor);
    if (index.column() == 0) {
        option->font = fixedFont_;
        option->backgroundBrush = system.button();
        return;
    }
    const QVariant color = index.data(kColorWordRole);
    if (color.isValid()) {
        option->backgroundBrush = ResolveColorWord(color.toUInt(), system);
    }
}

TJournalGridView::TJournalGridView(QWidget* parent) : QTableWidget(parent) {
    horizontalHeader()->setFixedHeight(kHeaderHeight);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    setRowCount(kStartRows - 1);
    setColumnCount(kColumns);
    setItemDelegate(&cellDelegate_);
    for (int column = 0; column < kColumns; ++column) {
        setHorizontalHeaderItem(column, std::make_unique<QTableWidgetItem>().release());
    }
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    setColumnWidth(0, kNumberColumnWidth);
    setColumnWidth(1, kEventColumnWidth);
    setShowGrid(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

// The journal's page has no tab, so the grid is seldom if ever shown: its fonts are looked up, and
// its sections laid out in them, when it is first shown rather than at start-up.
void TJournalGridView::showEvent(QShowEvent* event) {
    setFont(GridFont(13, false));
    horizontalHeader()->setFont(GridFont(11, true));
    QTableWidget::showEvent(event);
}

QTableWidgetItem& TJournalGridView::Item(int column, int row) {
    if (column < 0 || column >= kColumns || row < 0 || row >= RowCount()) {
        throw std::out_of_range("journal grid cell out of range");
    }
    if (row == 0) {
        return *horizontalHeaderItem(column);
    }
    if (item(row - 1, column) == nullptr) {
        auto cell = std::make_unique<QTableWidgetItem>();
        cell->setFlags(column == 0 ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        setItem(row - 1, column, cell.release());
    }
    return *item(row - 1, column);
}

void TJournalGridView::Clear() {
    for (int column = 0; column < kColumns; ++column) {
        horizontalHeaderItem(column)->setText(QString());
        for (int row = 0; row < rowCount(); ++row) {
            if (QTableWidgetItem* cell = item(row, column)) {
                cell->setText(QString());
                cell->setData(TJournalCellDelegate::kColorWordRole, QVariant());
            }
        }
    }
}

void TJournalGridView::SetRowCount(int rows) {
    setRowCount(std::max(rows, 1) - 1);
}

// The header and the event texts come from the journal's table and are shown in the interface
// language; the entry numbers stay as they are.
void TJournalGridView::SetCellText(int column, int row, const ByteString& text) {
    const QString shown = FromWindows1251(text);
    Item(column, row).setText(row == 0 || column == 1 ? TranslateCoreText(shown) : shown);
}

void TJournalGridView::SetRowColor(int row, uint32_t color) {
    if (row == 0) {
        return;
    }
    Item(1, row).setData(TJournalCellDelegate::kColorWordRole, color);
}

QString TJournalGridView::CellText(int column, int row) const {
    if (row == 0) {
        return horizontalHeaderItem(column)->text();
    }
    const QTableWidgetItem* cell = item(row - 1, column);
    return cell == nullptr ? QString() : cell->text();
}

std::optional<uint32_t> TJournalGridView::RowColor(int row) const {
    const QTableWidgetItem* cell = row == 0 ? nullptr : item(row - 1, 1);
    if (cell == nullptr) {
        return std::nullopt;
    }
    const QVariant color = cell->data(TJournalCellDelegate::kColorWordRole);
    return color.isValid() ? std::optional<uint32_t>(color.toUInt()) : std::nullopt;
}
