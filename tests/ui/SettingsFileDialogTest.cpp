#include <QFile>
#include <QFileDialog>
#include <QtTest>

#include "tests/ui/WindowTestSupport.h"

// Opening and saving settings files through the page's dialogs, and the start-up load.
class TSettingsFileDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void SaveThenOpenGivesThePageBack();
    void AUserSettingsFolderIsMadeAtTheFirstSaveAndTheDialogsStartThere();
    void DialogsCarryTheirTitlesFilterAndFolders();
    void OpenDialogRemembersTheLastName();
    void CancellingChangesNothingAndShowsNothing();
    void ReplacingAFileAsksAboutTheFileWritten();
    void StartUpLoadsSettingsIniSilently();
    void StartUpWithoutSettingsIniKeepsTheDefaults();
};

namespace {

void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

}  // namespace

void TSettingsFileDialogTest::SaveThenOpenGivesThePageBack() {
    TTestWindow window;
    TForm1& form = *window.Form;
    form.TochDost1.setText(QStringLiteral("мій.апн"));
    form.Edit7.setText(QStringLiteral("\"+380441112233\""));
    form.LocalPort2.setText(QStringLiteral("123456"));
    window.Modal->ChooseFile(QStringLiteral("/elsewhere/site"));
    form.Button6.click();
    QCOMPARE(window.Modal->Boxes.back().Text, QStringLiteral("Сохранено успешно."));
    QCOMPARE(window.Modal->Boxes.back().Icon, QMessageBox::NoIcon);
    QVERIFY(QFile::exists(window.Directory.filePath("site.ini")));

    form.TochDost1.clear();
    form.Edit7.clear();
    form.LocalPort2.clear();
    form.CheckBox2.setChecked(false);
    window.Modal->ChooseFile(window.Directory.filePath("site.ini"));
    form.Button5.click();
    QCOMPARE(window.Modal->Boxes.back().Text, QStringLiteral("Открыто успешно."));
    QCOMPARE(form.TochDost1.text(), QStringLiteral("мій.апн"));
    QCOMPARE(form.Edit7.text(), QStringLiteral("\"+380441112233\""));
    QCOMPARE(form.LocalPort2.text(), QStringLiteral("123456"));
    QCOMPARE(form.CodObj.text(), QStringLiteral("2222"));
    QVERIFY(!form.CheckBox2.isChecked());
}

// Installed system-wide, the settings live in the user's own folder, which need not exist yet.
void TSettingsFileDialogTest::AUserSettingsFolderIsMadeAtTheFirstSaveAndTheDialogsStartThere() {
    QTemporaryDir home;
    const QString folder = home.filePath(QStringLiteral(".local/share/irven-configurator"));
    TTestWindow window({}, false, folder, false);
    TForm1& form = *window.Form;
    QString saveFolder;
    window.Modal->Answer([&](QDialog& dialog) {
        auto& save = dynamic_cast<QFileDialog&>(dialog);
        saveFolder = save.directory().absolutePath();
        save.selectFile(QStringLiteral("Settings"));
        static_cast<QDialog&>(save).accept();
        return save.result();
    });
    form.CodObj.setText(QStringLiteral("4321"));
    form.Button6.click();
    QCOMPARE(saveFolder, folder);
    QCOMPARE(window.Modal->Boxes.back().Text, QStringLiteral("Сохранено успешно."));
    QVERIFY(QFile::exists(folder + QStringLiteral("/Settings.ini")));

    form.Button5.click();
    QCOMPARE(form.OpenDialog()->directory().absolutePath(), folder);
    TTestWindow restarted({}, false, folder, false);
    QCOMPARE(restarted.Form->CodObj.text(), QStringLiteral("4321"));
}

void TSettingsFileDialogTest::DialogsCarryTheirTitlesFilterAndFolders() {
    TTestWindow window;
    TForm1& form = *window.Form;
    QFileDialog* seen = nullptr;
    QString saveTitle, saveFolder, saveSuffix;
    QFileDialog::Options saveOptions;
    QFileDialog::AcceptMode saveMode = QFileDialog::AcceptOpen;
    window.Modal->Answer([&](QDialog& dialog) {
        seen = qobject_cast<QFileDialog*>(&dialog);
        return int(QDialog::Rejected);
    });
    window.Modal->Answer([&](QDialog& dialog) {
        auto& save = dynamic_cast<QFileDialog&>(dialog);
        saveTitle = save.windowTitle();
        saveFolder = save.directory().absolutePath();
        saveSuffix = save.defaultSuffix();
        saveOptions = save.options();
        saveMode = save.acceptMode();
        return int(QDialog::Rejected);
    });
    form.Button5.click();
    form.Button6.click();
    QVERIFY(seen == form.OpenDialog());
    QCOMPARE(seen->windowTitle(),
             QStringLiteral("Відкривання конфігурації (повинна знаходитися в папці з .ехе)"));
    QCOMPARE(seen->nameFilters(), QStringList({"Settings .ini (*.ini)"}));
    QCOMPARE(seen->directory().absolutePath(), QDir(window.Directory.path()).absolutePath());
    QCOMPARE(seen->fileMode(), QFileDialog::AnyFile);
    QCOMPARE(saveTitle,
             QStringLiteral("Збереження конфігурації (повинна знаходитися в папці з .ехе)"));
    QCOMPARE(saveFolder, QDir::current().absolutePath());
    QCOMPARE(saveSuffix, QStringLiteral("ini"));
    QCOMPARE(saveMode, QFileDialog::AcceptSave);
    QVERIFY(saveOptions.testFlag(QFileDialog::DontConfirmOverwrite));
}

void TSettingsFileDialogTest::OpenDialogRemembersTheLastName() {
    TTestWindow window;
    WriteFile(window.Directory.filePath("a.ini"), "[CodObj]\nText=1111\n");
    window.Modal->ChooseFile(window.Directory.filePath("a.ini"));
    window.Form->Button5.click();
    QStringList offered;
    window.Modal->Answer([&](QDialog& dialog) {
        offered = dynamic_cast<QFileDialog&>(dialog).selectedFiles();
        return int(QDialog::Rejected);
    });
    window.Form->Button5.click();
    QCOMPARE(offered.value(0), window.Directory.filePath("a.ini"));
    QCOMPARE(window.Form->CodObj.text(), QStringLiteral("1111"));
}

void TSettingsFileDialogTest::CancellingChangesNothingAndShowsNothing() {
    TTestWindow window;
    window.Form->Button5.click();
    window.Form->Button6.click();
    QCOMPARE(window.Modal->DialogTitles.size(), std::size_t(2));
    QVERIFY(window.Modal->Boxes.empty());
    QCOMPARE(QDir(window.Directory.path()).entryList(QDir::Files), QStringList());
}

void TSettingsFileDialogTest::ReplacingAFileAsksAboutTheFileWritten() {
    TTestWindow window;
    const QString path = window.Directory.filePath("site.ini");
    WriteFile(path, "[Other]\nText=kept\n[CodObj]\nText=9999\n");
    window.Modal->ChooseFile(QStringLiteral("/tmp/site.ini"));
    window.Modal->Answer([](QDialog&) { return int(QMessageBox::No); });
    window.Form->Button6.click();
    QCOMPARE(window.Modal->Boxes.size(), std::size_t(1));
    QVERIFY(window.Modal->Boxes[0].Text.contains(path));

    window.Modal->ChooseFile(QStringLiteral("/tmp/site.ini"));
    window.Modal->Answer([](QDialog&) { return int(QMessageBox::Yes); });
    window.Form->Button6.click();
    QCOMPARE(window.Modal->Boxes.back().Text, QStringLiteral("Сохранено успешно."));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    QVERIFY(saved.contains("Text=kept") && saved.contains("Text=2222"));
}

void TSettingsFileDialogTest::StartUpLoadsSettingsIniSilently() {
    QTemporaryDir directory;
    WriteFile(directory.filePath("Settings.ini"),
              "[CodObj]\r\nText=4321\r\n[Edit1]\r\nText=+380000000000\r\n"
              "[TochDost2]\r\nText=\xEC\xB3\xE9\r\n");
    TTestWindow window({"/dev/ttyS0"}, false, directory.path());
    QVERIFY(window.Modal->Boxes.empty());
    QCOMPARE(window.Form->CodObj.text(), QStringLiteral("4321"));
    QCOMPARE(window.Form->Edit1.text(), QStringLiteral("\"+380000000000\""));
    QCOMPARE(window.Form->TochDost2.text(), QStringLiteral("мій"));
    QCOMPARE(window.Form->Server1.text(), QStringLiteral("?"));
    QCOMPARE(window.Form->StringGrid2.GridItem(1, 1).text(), QStringLiteral("110"));
}

void TSettingsFileDialogTest::StartUpWithoutSettingsIniKeepsTheDefaults() {
    TTestWindow window;
    QVERIFY(window.Modal->Boxes.empty());
    QCOMPARE(window.Form->CodObj.text(), QStringLiteral("2222"));
    QCOMPARE(window.Form->Server1.text(), QStringLiteral("192.0.2.10"));
}

QTEST_MAIN(TSettingsFileDialogTest)
#include "SettingsFileDialogTest.moc"
