#include "ui/ConfiguratorApplication.h"

#include <QDebug>
#include <QDir>
#include <QIcon>
#include <memory>

#include "ui/LazyIconEngine.h"
#include "ui/MessageBoxes.h"

TConfiguratorApplication::TConfiguratorApplication(QApplication& application,
                                                   TLanguage systemLanguage)
    : application_(application),
      language_(ChooseLanguage(systemLanguage)),
      translations_(language_) {
    SetTitle();
    SetIcon();
}

// A code we do not speak leaves the system's language; the window opens all the same.
TLanguage TConfiguratorApplication::ChooseLanguage(TLanguage systemLanguage) {
    try {
        return InterfaceLanguage(QCoreApplication::arguments(), systemLanguage);
    } catch (const ELanguageOption& error) {
        qWarning().noquote() << QString::fromUtf8(error.what());
        return systemLanguage;
    }
}

// Set as the application's name rather than its display name: Qt appends a display name to every
// window caption, and the caption is to read "Ирвен А4 Конфигуратор" alone. The name still gives
// the title to the taskbar entry and to the message boxes.
void TConfiguratorApplication::SetTitle() {
    QApplication::setApplicationName(ApplicationTitle());
    QApplication::setDesktopFileName(DesktopFileName);
}

// Every size drawn from the SVG at build time: the title bar, the taskbar and Alt+Tab each take
// the one that fits, decoded when it is first asked for.
void TConfiguratorApplication::SetIcon() {
    const QDir pictures(QStringLiteral(":/icons"));
    QStringList files;
    for (const QString& name : pictures.entryList(QDir::Files)) {
        files.append(pictures.filePath(name));
    }
    QApplication::setWindowIcon(QIcon(std::make_unique<TLazyIconEngine>(files).release()));
}

void TConfiguratorApplication::Start() {
    form_.emplace(TForm1Services::Program());
    guide_.emplace(*form_, language_);
    form_->show();
}

int TConfiguratorApplication::Run() {
    Start();
    return application_.exec();
}
