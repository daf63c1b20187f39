#include <QFileDialog>
#include <QtTest>
#include <optional>

#include "serial/LineSpeeds.h"
#include "tests/ui/WindowTestSupport.h"
#include "ui/ConfiguratorApplication.h"
#include "ui/InterfaceTranslations.h"
#include "ui/MessageBoxes.h"

// The window in Ukrainian beside the same window in Russian.
class TLanguageTest : public QObject {
    Q_OBJECT

  private slots:
    void EveryTextIsUkrainian();
    void MessagesAndDialogsSpeakUkrainian();
    void TheApplicationTakesTheSystemLanguage();
};

namespace {

bool HasRussianOnlyLetter(const QString& text) {
    return text.contains(QRegularExpression(QStringLiteral("[ыэъёЫЭЪЁ]")));
}

bool HasCyrillic(const QString& text) {
    return text.contains(QRegularExpression(QStringLiteral("[\\x{0400}-\\x{04FF}]")));
}

std::map<QString, QString> TextsIn(TLanguage language) {
    const TInterfaceTranslations translations(language);
    TTestWindow window;
    return ShownTexts(*window.Form);
}

}  // namespace

void TLanguageTest::EveryTextIsUkrainian() {
    // Words both languages write alike.
    const QStringList alike{
        "Порт",   "Порт сервера", "Порт сервера (SIM 1)", "Порт сервера (SIM 2)", "Номер",
        "Тампер", "резерв"};
    const std::map<QString, QString> russian = TextsIn(TLanguage::Russian);
    const std::map<QString, QString> ukrainian = TextsIn(TLanguage::Ukrainian);
    QCOMPARE(ukrainian.size(), russian.size());
    QVERIFY2(russian.size() > 120, qPrintable(QString::number(russian.size())));
    for (const auto& [where, text] : ukrainian) {
        const QString& source = russian.at(where);
        QVERIFY2(!HasRussianOnlyLetter(text), qPrintable(where + ": " + text));
        if (HasCyrillic(source) && !alike.contains(source)) {
            QVERIFY2(text != source, qPrintable(where + ": " + text));
        }
    }
    QCOMPARE(ukrainian.at("caption"), QStringLiteral("Ірвен А4 Конфігуратор"));
    QCOMPARE(ukrainian.at("tab 1"), QStringLiteral("Коди подій"));
    QCOMPARE(ukrainian.at("StringGrid3 header 1"), QStringLiteral("Код відновлення"));
}

void TLanguageTest::MessagesAndDialogsSpeakUkrainian() {
    const TInterfaceTranslations translations(TLanguage::Ukrainian);
    TTestWindow window;
    TForm1& form = *window.Form;
    form.baudrate.setEditText(QStringLiteral("31250"));
    form.Button1.click();
    form.baudrate.setCurrentIndex(kInitialLineSpeed);
    form.Button1.click();
    form.StringGrid3.GridItem(1, 7).setText(QStringLiteral("3011"));
    form.Button9.click();
    window.Modal->ChooseFile(window.Directory.filePath("site.ini"));
    form.Button6.click();
    window.Modal->ChooseFile(window.Directory.filePath("missing.ini"));
    form.Button5.click();

    QCOMPARE(window.Modal->Boxes.size(), std::size_t(4));
    const TShownBox& speed = window.Modal->Boxes[0];
    QCOMPARE(speed.Title, QStringLiteral("Ірвен А8 Конфігуратор"));
    QCOMPARE(speed.Text,
             QStringLiteral("Швидкість «31250» не підтримується: виберіть швидкість зі списку."));
    const TShownBox& code = window.Modal->Boxes[1];
    QCOMPARE(code.Title, QStringLiteral("Попередження"));
    QCOMPARE(code.Buttons, QStringList({"OK", "Скасувати"}));
    QCOMPARE(code.Text,
             QStringLiteral("Код у клітинці \"Несправність ДЖ\" повинен складатися з 3 символів"));
    QCOMPARE(window.Modal->Boxes[2].Text, QStringLiteral("Збережено успішно."));
    QVERIFY2(window.Modal->Boxes[3].Text.startsWith("Файл налаштувань не знайдено: "),
             qPrintable(window.Modal->Boxes[3].Text));
    // The file dialogs' titles and filter are the system's own texts, the same in either language
    // (their ".ехе" in Cyrillic letters).
    QCOMPARE(window.Modal->FileDialogs.size(), std::size_t(2));
    const TShownFileDialog& save = window.Modal->FileDialogs[0];
    QCOMPARE(save.Title,
             QStringLiteral("Збереження конфігурації (повинна знаходитися в папці з .ехе)"));
    QCOMPARE(save.Filters, QStringList({"Settings .ini (*.ini)"}));
    const TShownFileDialog& open = window.Modal->FileDialogs[1];
    QCOMPARE(open.Title,
             QStringLiteral("Відкривання конфігурації (повинна знаходитися в папці з .ехе)"));
    QCOMPARE(open.Filters, QStringList({"Settings .ini (*.ini)"}));
}

void TLanguageTest::TheApplicationTakesTheSystemLanguage() {
    {
        TConfiguratorApplication configurator(*qApp, TLanguage::Ukrainian);
        QCOMPARE(configurator.Language(), TLanguage::Ukrainian);
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Ірвен А8 Конфігуратор"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"),
                 QStringLiteral("Перегляд в:"));
    }
    TConfiguratorApplication configurator(*qApp, TLanguage::Russian);
    QCOMPARE(QApplication::applicationName(), QStringLiteral("Ирвен А8 Конфигуратор"));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
}

QTEST_MAIN(TLanguageTest)
#include "LanguageTest.moc"
