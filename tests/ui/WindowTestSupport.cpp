#include "tests/ui/WindowTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <stdexcept>

#include "serial/ESerialPort.h"

int TScriptedModal::Exec(QDialog& dialog) {
    DialogTitles.push_back(dialog.windowTitle());
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        TShownBox shown{box->windowTitle(), box->text(), box->icon(), {}};
        for (QAbstractButton* button : box->buttons()) {
            shown.Buttons << button->text();
        }
        Boxes.push_back(shown);
    }
    if (const auto* files = qobject_cast<QFileDialog*>(&dialog)) {
        FileDialogs.push_back({files->windowTitle(), files->nameFilters()});
    }
    if (!answers_.empty()) {
        TAnswer answer = std::move(answers_.front());
        answers_.pop_front();
        return answer(dialog);
    }
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        return box->standardButton(box->buttons().constFirst());
    }
    return QDialog::Rejected;
}

void TScriptedModal::ChooseFile(const QString& path) {
    Answer([path](QDialog& dialog) {
        auto& files = dynamic_cast<QFileDialog&>(dialog);
        files.selectFile(path);
        static_cast<QDialog&>(files).accept();
        return files.result();
    });
}

TTestWindow::TTestWindow(std::vector<std::string> ports, bool listingFails,
                         const QString& settingsDirectory, bool settingsInProgramDirectory) {
    TForm1Services services;
    services.SerialDriver = Driver;
    for (std::string& name : ports) {
        Ports->push_back({std::move(name), {}});
    }
    services.ListPorts = [found = Ports, listingFails](std::vector<TPortEntry>& entries) {
        if (listingFails) {
            throw ESerialPort("Помилка звернення до системного реєстру");
        }
        entries = *found;
    };
    services.SettingsDirectory =
        (settingsDirectory.isEmpty() ? Directory.path() : settingsDirectory).toStdString();
    services.ProgramDirectory = Directory.path().toStdString();
    services.SettingsInProgramDirectory = settingsInProgramDirectory;
    services.Modal = Modal;
    services.Clock = Clock;
    Form = std::make_unique<TForm1>(std::move(services));
}

namespace {

// Room a tab takes around its text.
constexpr int kTabPadding = 8;

void AddGridTexts(std::map<QString, QString>& texts, const QString& name, const QTableWidget& grid,
                  int fixedColumn) {
    for (int column = 0; column < grid.columnCount(); ++column) {
        if (const QTableWidgetItem* header = grid.horizontalHeaderItem(column)) {
            texts[name + QStringLiteral(" header %1").arg(column)] = header->text();
        }
    }
    for (int row = 0; fixedColumn >= 0 && row < grid.rowCount(); ++row) {
        if (const QTableWidgetItem* cell = grid.item(row, fixedColumn)) {
            texts[name + QStringLiteral(" row %1").arg(row + 1)] = cell->text();
        }
    }
}

QString Where(const QWidget& widget, const QString& text) {
    return widget.metaObject()->className() + QStringLiteral(" ") + widget.objectName() +
           QStringLiteral(" «") + text + QStringLiteral("»");
}

void CheckControls(const QWidget& page, QStringList& clipped) {
    for (const QLabel* label : page.findChildren<QLabel*>()) {
        const QSize hint = label->sizeHint();
        if (!label->text().isEmpty() &&
            (hint.width() > label->width() || hint.height() > label->height())) {
            clipped << Where(*label, label->text());
        }
    }
    for (const QAbstractButton* button : page.findChildren<QAbstractButton*>()) {
        if (button->parentWidget()->inherits("QTabBar")) {
            continue;
        }
        if (button->sizeHint().width() > button->width()) {
            clipped << Where(*button, button->text());
        }
    }
    for (const QGroupBox* group : page.findChildren<QGroupBox*>()) {
        const int room = group->width() - group->style()->pixelMetric(QStyle::PM_IndicatorWidth);
        if (group->fontMetrics().horizontalAdvance(group->title()) > room) {
            clipped << Where(*group, group->title());
        }
    }
}

void CheckCell(const QTableWidget& grid, const QFontMetrics& metrics, const QString& text,
               int padding, int column, QStringList& clipped) {
    const int needed = metrics.horizontalAdvance(text) + padding;
    if (needed > grid.columnWidth(column)) {
        clipped
            << Where(grid, text) +
                   QStringLiteral(" needs %1 px of %2").arg(needed).arg(grid.columnWidth(column));
    }
}

void CheckGrid(const TCodeGrid& grid, QStringList& clipped) {
    for (int column = 0; column < grid.columnCount(); ++column) {
        CheckCell(grid, grid.horizontalHeader()->fontMetrics(),
                  grid.horizontalHeaderItem(column)->text(), grid.HeaderPadding(), column, clipped);
    }
    for (int row = 0; row < grid.rowCount(); ++row) {
        CheckCell(grid, grid.fontMetrics(), grid.item(row, 0)->text(), grid.CellPadding(), 0,
                  clipped);
    }
    if (grid.horizontalScrollBar()->isVisible()) {
        clipped << Where(grid, QStringLiteral("wider than the grid"));
    }
}

}  // namespace

std::map<QString, QString> ShownTexts(TForm1& form) {
    std::map<QString, QString> texts;
    texts[QStringLiteral("caption")] = form.windowTitle();
    for (int tab = 0; tab < form.PageControl1.count(); ++tab) {
        if (form.PageControl1.isTabVisible(tab)) {
            texts[QStringLiteral("tab %1").arg(tab)] = form.PageControl1.tabText(tab);
        }
    }
    const QList<QWidget*> widgets = form.findChildren<QWidget*>();
    for (qsizetype i = 0; i < widgets.size(); ++i) {
        const QWidget* widget = widgets[i];
        const QString key = QStringLiteral("%1 %2 ").arg(i).arg(widget->objectName());
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            texts[key + QStringLiteral("text")] = label->text();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            texts[key + QStringLiteral("text")] = button->text();
        } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
            texts[key + QStringLiteral("title")] = group->title();
        }
        if (!widget->accessibleName().isEmpty()) {
            texts[key + QStringLiteral("accessible")] = widget->accessibleName();
        }
    }
    AddGridTexts(texts, QStringLiteral("StringGrid2"), form.StringGrid2, 0);
    AddGridTexts(texts, QStringLiteral("StringGrid3"), form.StringGrid3, 0);
    AddGridTexts(texts, QStringLiteral("StringGrid1"), form.StringGrid1, -1);
    texts.erase(QString());
    return texts;
}

QStringList ClippedTexts(TForm1& form) {
    QStringList clipped;
    for (QWidget* page : {&form.TabSheet1, &form.TabSheet2}) {
        form.PageControl1.setCurrentWidget(page);
        // Lays out the page now shown.
        QCoreApplication::processEvents();
        CheckControls(*page, clipped);
    }
    form.PageControl1.setCurrentWidget(&form.TabSheet1);
    // Its tab is hidden, but its controls stand where they are placed once it is shown.
    form.TabSheet4.show();
    CheckControls(form.TabSheet4, clipped);
    form.TabSheet4.hide();
    for (const QPushButton* button : {&form.Button1, &form.Button2}) {
        if (button->sizeHint().width() > button->width()) {
            clipped << Where(*button, button->text());
        }
    }
    const QTabBar& tabs = *form.PageControl1.tabBar();
    for (int tab = 0; tab < tabs.count(); ++tab) {
        if (tabs.isTabVisible(tab) &&
            tabs.fontMetrics().horizontalAdvance(tabs.tabText(tab)) + kTabPadding >
                tabs.tabRect(tab).width()) {
            clipped << Where(tabs, tabs.tabText(tab));
        }
    }
    CheckGrid(form.StringGrid2, clipped);
    CheckGrid(form.StringGrid3, clipped);
    return clipped;
}
