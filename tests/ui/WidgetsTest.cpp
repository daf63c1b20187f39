#include <QAbstractButton>
#include <QHeaderView>
#include <QLineEdit>
#include <QtTest>

#include "ui/CodeGrid.h"
#include "ui/ColorWord.h"
#include "ui/JournalGridView.h"
#include "ui/MessageBoxes.h"
#include "ui/WindowsText.h"

// The error display, the colour words and the grids' own rules.
class TWidgetsTest : public QObject {
    Q_OBJECT

  private slots:
    void ErrorTextGetsAFullStopAfterAnyCharacterPastIt_data();
    void ErrorTextGetsAFullStopAfterAnyCharacterPastIt();
    void ErrorBoxHasTheTitleAStopIconAndOneOk();
    void ColorWordsResolveAgainstThePalette_data();
    void ColorWordsResolveAgainstThePalette();
    void JournalPaintsTheRowColourOnTheEventCellOnly();
    void JournalClearDropsTextsAndColours();
    void JournalShowsItsOwnFonts();
    void CodeCellEditorTakesAnyLength();
    void CodeColumnsFitTheirWidestTextAfterEveryStep_data();
    void CodeColumnsFitTheirWidestTextAfterEveryStep();
};

void TWidgetsTest::ErrorTextGetsAFullStopAfterAnyCharacterPastIt_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "Помилка запису в порт"
                            << "Помилка запису в порт.";
    QTest::newRow("latin") << "'abc' is not a valid integer value"
                           << "'abc' is not a valid integer value.";
    QTest::newRow("full stop") << "Done."
                               << "Done.";
    QTest::newRow("quote") << "Code \"x\""
                           << "Code \"x\"";
    QTest::newRow("dash") << "a -"
                          << "a -";
    QTest::newRow("digit") << "COM3"
                           << "COM3.";
    QTest::newRow("slash") << "/dev/"
                           << "/dev/.";
    QTest::newRow("empty") << ""
                           << "";
}

void TWidgetsTest::ErrorTextGetsAFullStopAfterAnyCharacterPastIt() {
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(ErrorDisplayText(message), shown);
}

void TWidgetsTest::ErrorBoxHasTheTitleAStopIconAndOneOk() {
    const auto box = MakeErrorBox(QStringLiteral("Помилка читання з порта"), nullptr);
    QCOMPARE(box->windowTitle(), QStringLiteral("Ирвен А8 Конфигуратор"));
    QCOMPARE(box->icon(), QMessageBox::Critical);
    QCOMPARE(box->text(), QStringLiteral("Помилка читання з порта."));
    QCOMPARE(box->buttons().size(), 1);
    QCOMPARE(box->standardButton(box->buttons()[0]), QMessageBox::Ok);
    const auto confirmation = MakeConfirmationBox(QStringLiteral("Открыто успешно."), nullptr);
    QCOMPARE(confirmation->icon(), QMessageBox::NoIcon);
    QCOMPARE(confirmation->buttons().size(), 1);
}

void TWidgetsTest::ColorWordsResolveAgainstThePalette_data() {
    QTest::addColumn<uint>("word");
    QTest::addColumn<QColor>("color");
    QTest::newRow("red") << 0x000000FFu << QColor(255, 0, 0);
    QTest::newRow("olive") << 0x00008080u << QColor(128, 128, 0);
    QTest::newRow("journal cleared") << 0x00B76E79u << QColor(121, 110, 183);
    QTest::newRow("system highlight") << 0xFF00000Du << QColor(1, 2, 3);
}

void TWidgetsTest::ColorWordsResolveAgainstThePalette() {
    QFETCH(uint, word);
    QFETCH(QColor, color);
    QPalette palette;
    palette.setColor(QPalette::Highlight, QColor(1, 2, 3));
    QCOMPARE(ResolveColorWord(word, palette), color);
}

void TWidgetsTest::JournalPaintsTheRowColourOnTheEventCellOnly() {
    TJournalGridView grid;
    grid.resize(600, 200);
    grid.SetRowCount(3);
    grid.SetRowColor(1, 0x00008000);
    grid.SetRowColor(2, 0xFF00000D);
    QPalette palette = grid.palette();
    palette.setColor(QPalette::Highlight, QColor(10, 20, 200));
    grid.setPalette(palette);
    grid.clearSelection();
    const QImage image = grid.grab().toImage();
    const auto pixel = [&](int column, int row) {
        const QRect cell = grid.visualRect(grid.model()->index(row - 1, column));
        return image.pixelColor(grid.viewport()->mapTo(&grid, cell.topLeft() + QPoint(20, 5)));
    };
    QCOMPARE(pixel(1, 1), QColor(0, 128, 0));
    QCOMPARE(pixel(1, 2), QColor(10, 20, 200));
    QCOMPARE(pixel(0, 1), grid.palette().color(QPalette::Button));
    QVERIFY(pixel(1, 3) != QColor(0, 128, 0));
}

void TWidgetsTest::JournalClearDropsTextsAndColours() {
    TJournalGridView grid;
    grid.SetCellText(0, 0, "N");
    grid.SetCellText(1, 2, "x");
    grid.SetRowColor(2, 0x000000FF);
    grid.Clear();
    QCOMPARE(grid.RowCount(), 3);
    QCOMPARE(grid.CellText(0, 0), QString());
    QCOMPARE(grid.CellText(1, 2), QString());
    QCOMPARE(grid.RowColor(2), std::nullopt);
    grid.SetRowCount(0);
    QCOMPARE(grid.RowCount(), 1);
    grid.SetRowCount(4);
    QCOMPARE(grid.RowColor(3), std::nullopt);
}

void TWidgetsTest::JournalShowsItsOwnFonts() {
    TJournalGridView grid;
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(grid.font().pixelSize(), 13);
    QCOMPARE(grid.horizontalHeader()->font().pixelSize(), 11);
    QVERIFY(grid.horizontalHeader()->font().bold());
    QCOMPARE(grid.horizontalHeader()->height(), 22);
}

void TWidgetsTest::CodeCellEditorTakesAnyLength() {
    TCodeGrid grid(88);
    grid.show();
    const QModelIndex index = grid.model()->index(0, 1);
    grid.setCurrentIndex(index);
    grid.edit(index);
    auto* editor = grid.findChild<QLineEdit*>();
    QVERIFY(editor != nullptr);
    const QString longCode(40000, QLatin1Char('7'));
    editor->setText(longCode);
    QCOMPARE(editor->text().size(), longCode.size());
    QVERIFY(grid.model()->index(0, 0).flags() == Qt::ItemIsEnabled);
}

// Steps: "cell COLUMN ROW TEXT", "item COLUMN ROW TEXT" (the item's text set past SetCell),
// "clear COLUMN", "width COLUMN PIXELS", "font PIXELS", "hide", "show 1". A hidden grid is checked
// once shown again.
void TWidgetsTest::CodeColumnsFitTheirWidestTextAfterEveryStep_data() {
    const QString wide = QStringLiteral("Неисправность аккумуляторной батареи");
    const QString wider = QStringLiteral("Неисправность аккумуляторной батареи прибора");
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("a name grows, then shrinks") << QStringList{"cell 0 5 " + wide, "cell 0 5 x"};
    QTest::newRow("the widest name shrinks to below the next")
        << QStringList{"cell 0 2 " + wide, "cell 0 7 " + wider, "cell 0 7 y"};
    QTest::newRow("a header grows, then shrinks")
        << QStringList{"cell 1 0 " + wider, "cell 1 0 Код", "cell 0 0 " + wide, "cell 0 0 Событие"};
    QTest::newRow("a cleared column")
        << QStringList{"cell 0 9 " + wider, "cell 0 0 " + wide, "clear 0"};
    QTest::newRow("a design width, then names wider")
        << QStringList{"width 0 150", "cell 0 3 " + wide, "width 0 40", "cell 0 3 Тампер"};
    QTest::newRow("the font grows between names") << QStringList{
        "cell 0 4 Тампер", "cell 1 0 Код События", "font 30", "cell 0 8 z", "cell 1 0 Код События"};
    QTest::newRow("a name set on its item, then another through the grid") << QStringList{
        "cell 0 6 " + wide, "item 0 6 Тампер", "cell 0 11 z", "item 0 12 " + wider, "cell 0 13 y"};
    QTest::newRow("the font shrinks between names")
        << QStringList{"font 30", "cell 0 4 " + wide, "font 9", "cell 0 8 z"};
    QTest::newRow("names, a header and a width set while hidden, fitted when shown")
        << QStringList{"cell 0 4 " + wider, "hide",       "cell 0 4 Тампер",
                       "cell 1 0 " + wider, "width 0 40", "show 1"};
}

void TWidgetsTest::CodeColumnsFitTheirWidestTextAfterEveryStep() {
    QFETCH(QStringList, steps);
    TCodeGrid grid(88);
    grid.show();
    int design[TCodeGrid::kColumns] = {64, 88};
    for (const QString& step : steps) {
        const QStringList words = step.split(QLatin1Char(' '));
        const int column = words.value(1).toInt();
        if (words[0] == "cell") {
            grid.SetCell(column, words[2].toInt(), ToWindows1251(words.mid(3).join(' ')));
        } else if (words[0] == "clear") {
            grid.ClearColumn(column);
        } else if (words[0] == "width") {
            design[column] = words[2].toInt();
            grid.SetColumnWidth(column, design[column]);
        } else if (words[0] == "hide") {
            grid.hide();
        } else if (words[0] == "show") {
            grid.show();
        } else if (words[0] == "item") {
            grid.GridItem(column, words[2].toInt()).setText(words.mid(3).join(' '));
            continue;
        } else {
            QFont font = grid.font();
            font.setPixelSize(column);
            grid.setFont(font);
            continue;
        }
        if (!grid.isVisible()) {
            continue;
        }
        for (int fitted = 0; fitted <= column; ++fitted) {
            const QString header = grid.GridItem(fitted, 0).text();
            int needed = design[fitted];
            if (!header.isEmpty()) {
                needed = std::max(needed,
                                  grid.horizontalHeader()->fontMetrics().horizontalAdvance(header) +
                                      grid.HeaderPadding());
            }
            for (int row = 1; fitted == 0 && row < TCodeGrid::kRows; ++row) {
                needed = std::max(
                    needed, grid.fontMetrics().horizontalAdvance(grid.GridItem(0, row).text()) +
                                grid.CellPadding());
            }
            QVERIFY2(grid.columnWidth(fitted) == needed,
                     qPrintable(QStringLiteral("%1: column %2 is %3 px, needs %4")
                                    .arg(step)
                                    .arg(fitted)
                                    .arg(grid.columnWidth(fitted))
                                    .arg(needed)));
        }
    }
}

QTEST_MAIN(TWidgetsTest)
#include "WidgetsTest.moc"
