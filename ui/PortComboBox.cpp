#include "ui/PortComboBox.h"

#include <exception>

#include "ui/CoreTextTranslator.h"

void TPortComboBox::Fill() {
    std::vector<TPortEntry> entries;
    ListPorts(entries);
    SetEntries(entries);
}

void TPortComboBox::showPopup() {
    Refresh();
    QComboBox::showPopup();
}

void TPortComboBox::SetEntries(const std::vector<TPortEntry>& entries) {
    clear();
    for (const TPortEntry& entry : entries) {
        addItem(QString::fromStdString(entry.Name));
        if (!entry.Description.empty()) {
            setItemData(count() - 1, TranslateCoreText(QString::fromStdString(entry.Description)),
                        Qt::ToolTipRole);
        }
    }
}

// A list that cannot be read now stays as it was; start-up has shown why, and a name can be typed.
// The text in the box stays too, chosen or typed.
void TPortComboBox::Refresh() {
    std::vector<TPortEntry> entries;
    try {
        ListPorts(entries);
    } catch (const std::exception&) {
        return;
    }
    const QString text = currentText();
    SetEntries(entries);
    const int index = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        setCurrentIndex(index);
    } else {
        setEditText(text);
    }
}
