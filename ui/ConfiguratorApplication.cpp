#include "ui/ConfiguratorApplication.h"

#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>

#include "ui/MessageBoxes.h"

TConfiguratorApplication::TConfiguratorApplication(QApplication& application)
    : application_(application) {
    SetTitle();
    SetIcon();
    LoadQtTranslations();
}

// Set as the application's name rather than its display name: Qt appends a display name to every
// window caption, and the caption is to read "Ирвен А4 Конфигуратор" alone. The name still gives
// the title to the taskbar entry and to the message boxes.
void TConfiguratorApplication::SetTitle() {
    QApplication::setApplicationName(ApplicationTitle);
    QApplication::setDesktopFileName(DesktopFileName);
}

// Every size drawn from the SVG at build time: the title bar, the taskbar and Alt+Tab each take
// the one that fits.
void TConfiguratorApplication::SetIcon() {
    const QDir pictures(QStringLiteral(":/icons"));
    QIcon icon;
    for (const QString& name : pictures.entryList(QDir::Files)) {
        icon.addFile(pictures.filePath(name));
    }
    QApplication::setWindowIcon(icon);
}

void TConfiguratorApplication::LoadQtTranslations() {
    if (qtTranslations_.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslations_);
    }
}

void TConfiguratorApplication::Start() {
    form_.emplace(TForm1Services::Program());
    form_->show();
}

int TConfiguratorApplication::Run() {
    Start();
    return application_.exec();
}
