#include "ui/UserGuide.h"

#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

void TDesktopGuideOpener::Open(const QUrl& url) {
    if (!QDesktopServices::openUrl(url)) {
        qWarning().noquote() << "cannot open" << url.toString();
    }
}

QString GuideLanguageCode(TLanguage language) {
    return language == TLanguage::Ukrainian ? QStringLiteral("uk") : QStringLiteral("ru");
}

QStringList GuideFolders(const QString& programDirectory) {
    const QDir program(programDirectory);
    return {program.path(),
            QDir::cleanPath(program.filePath(QStringLiteral("../share/doc/irven-configurator"))),
            QDir::cleanPath(program.filePath(QStringLiteral("../docs/guide")))};
}

QString FindGuide(const QString& programDirectory, TLanguage language) {
    const QString name = QStringLiteral("guide-%1.html").arg(GuideLanguageCode(language));
    for (const QString& folder : GuideFolders(programDirectory)) {
        const QFileInfo file(QDir(folder).filePath(name));
        if (file.isFile()) {
            return file.absoluteFilePath();
        }
    }
    return {};
}

TUserGuide::TUserGuide(QWidget& window, TLanguage language, std::shared_ptr<TGuideOpener> opener,
                       QString programDirectory)
    : language_(language),
      opener_(std::move(opener)),
      programDirectory_(std::move(programDirectory)),
      shortcut_(QKeySequence::HelpContents, &window) {
    shortcut_.setContext(Qt::WindowShortcut);
    QObject::connect(&shortcut_, &QShortcut::activated, &window, [this] { Open(); });
}

bool TUserGuide::Open() const {
    const QString guide = FindGuide(programDirectory_, language_);
    if (guide.isEmpty()) {
        return false;
    }
    opener_->Open(QUrl::fromLocalFile(guide));
    return true;
}
