#include <QDir>
#include <QtTest>

#include "tests/ui/WindowTestSupport.h"
#include "ui/InterfaceTranslations.h"
#include "ui/WindowsText.h"

// Writes a picture of each page into the build directory, for the README, in each language; no
// text on them is cut off.
class TScreenshotTest : public QObject {
    Q_OBJECT

  private slots:
    void WritesEachPage_data();
    void WritesEachPage();
};

namespace {

void Save(QWidget& widget, const QString& name) {
    const QString path = QDir(QStringLiteral(IRVEN_SCREENSHOT_DIR)).filePath(name);
    QVERIFY(QDir().mkpath(QStringLiteral(IRVEN_SCREENSHOT_DIR)));
    QVERIFY2(widget.grab().save(path), qPrintable(path));
}

// A few journal entries of every colour, as a download leaves them.
void FillJournal(TJournalGridView& grid) {
    const std::vector<std::pair<const char*, uint32_t>> entries{
        {"Вход в меню пользователя 1", 0x00008000},
        {"Включение ШС 1", 0xFF00000D},
        {"Пожар в ШС 2", 0x000000FF},
        {"Отсутствие сети ~220 В", 0x0000FFFF},
        {"Ручной сброс звука", 0x00008080},
        {"Переход на SIM 2", 0x0000FF00},
        {"Очистка журнала событий", 0x00B76E79},
    };
    grid.SetRowCount(static_cast<int>(entries.size()) + 2);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        grid.SetCellText(1, row, ToWindows1251(QString::fromUtf8(entries[i].first)));
        grid.SetRowColor(row, entries[i].second);
        grid.SetCellText(0, row, std::to_string(row));
    }
    grid.SetCellText(0, static_cast<int>(entries.size()) + 1, std::to_string(entries.size() + 1));
}

}  // namespace

void TScreenshotTest::WritesEachPage_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("Russian") << "ru"
                             << "";
    QTest::newRow("Ukrainian") << "uk"
                               << "-uk";
}

void TScreenshotTest::WritesEachPage() {
    QFETCH(QString, code);
    QFETCH(QString, suffix);
    const TInterfaceTranslations translations(*LanguageByCode(code.toStdString()));
    TTestWindow window;
    TForm1& form = *window.Form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    Save(form, QStringLiteral("page-gprs%1.png").arg(suffix));
    form.PageControl1.setCurrentWidget(&form.TabSheet2);
    Save(form, QStringLiteral("page-codes%1.png").arg(suffix));
    FillJournal(form.StringGrid1);
    form.TabSheet4.resize(form.TabSheet2.size());
    // The page has no tab: it is shown here for its picture alone, as it would look.
    form.TabSheet4.show();
    Save(form.TabSheet4, QStringLiteral("page-journal%1.png").arg(suffix));
    form.TabSheet4.hide();
    const QStringList clipped = ClippedTexts(form);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
}

QTEST_MAIN(TScreenshotTest)
#include "ScreenshotTest.moc"
