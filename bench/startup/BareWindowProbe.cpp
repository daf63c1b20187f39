#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>
#include <memory>
#include <vector>

#include "bench/startup/FirstFrame.h"

// A plain Qt window with the kinds and numbers of widgets the configurator's window holds, and
// nothing else: the floor a program of this size can reach.
class TBareWindow final : public QWidget {
  public:
    TBareWindow() {
        layout_.addWidget(&pages_);
        layout_.addWidget(&progress_);
        for (auto& page : pageWidgets_) {
            pages_.addTab(&page.Widget, QStringLiteral("Page"));
        }
        for (int i = 0; i < 15; ++i) {
            combos_[1].addItem(QString::number(i));
        }
        auto& first = pageWidgets_[0].Layout;
        for (auto& combo : combos_) {
            first.addWidget(&combo);
        }
        for (auto& box : groups_) {
            first.addWidget(&box);
        }
        AddAll(first, buttons_, QStringLiteral("Button"));
        AddAll(first, labels_, QStringLiteral("Label"));
        AddAll(first, checks_, QStringLiteral("Check"));
        AddAll(first, radios_, QStringLiteral("Radio"));
        for (auto& edit : edits_) {
            edit.setText(QStringLiteral("7789"));
            first.addWidget(&edit);
        }
        for (std::size_t i = 0; i < tables_.size(); ++i) {
            FillTable(tables_[i], i < 2 ? 25 : 2);
            pageWidgets_[i < 2 ? 1 : 2].Layout.addWidget(&tables_[i]);
        }
        resize(795, 654);
    }

  private:
    struct TPage {
        QWidget Widget;
        QVBoxLayout Layout{&Widget};
    };

    template <typename Widgets>
    static void AddAll(QVBoxLayout& layout, Widgets& widgets, const QString& text) {
        for (auto& widget : widgets) {
            widget.setText(text);
            layout.addWidget(&widget);
        }
    }

    static void FillTable(QTableWidget& table, int rows) {
        table.setColumnCount(2);
        table.setRowCount(rows);
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < 2; ++column) {
                table.setItem(row, column, std::make_unique<QTableWidgetItem>("000").release());
            }
        }
    }

    QVBoxLayout layout_{this};
    QTabWidget pages_;
    QProgressBar progress_;
    std::array<TPage, 3> pageWidgets_;
    std::array<QComboBox, 2> combos_;
    std::array<QGroupBox, 3> groups_;
    std::array<QPushButton, 11> buttons_;
    std::array<QLabel, 16> labels_;
    std::array<QLineEdit, 13> edits_;
    std::array<QCheckBox, 2> checks_;
    std::array<QRadioButton, 4> radios_;
    std::array<QTableWidget, 3> tables_;
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    TBareWindow window;
    window.show();
    TFirstFrame probe(window);
    return application.exec();
}
