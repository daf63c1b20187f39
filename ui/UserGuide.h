#pragma once

#include <QCoreApplication>
#include <QShortcut>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <memory>

#include "language/Language.h"

// Hands a document to the desktop, which opens it in the system's browser or viewer.
class TGuideOpener {
  public:
    virtual ~TGuideOpener() = default;
    virtual void Open(const QUrl& url) = 0;
};

class TDesktopGuideOpener final : public TGuideOpener {
  public:
    void Open(const QUrl& url) override;
};

// "ru" or "uk", as the guide's files and pictures are named.
QString GuideLanguageCode(TLanguage language);

// Where the guide may stand, relative to the program directory, in the order they are tried:
// beside the program (the Windows archive and installer), the Debian package's documentation
// folder, and the build tree (build/ui/irven-configurator beside build/docs/guide/).
QStringList GuideFolders(const QString& programDirectory);

// The guide of the language, "guide-ru.html" or "guide-uk.html", in the first folder that holds
// it; empty when none does.
QString FindGuide(const QString& programDirectory, TLanguage language);

// F1 anywhere in the window asks the opener to open the guide of the language; with no guide
// found it does nothing. Made after the window and ended before it.
class TUserGuide {
  public:
    TUserGuide(QWidget& window, TLanguage language,
               std::shared_ptr<TGuideOpener> opener = std::make_shared<TDesktopGuideOpener>(),
               QString programDirectory = QCoreApplication::applicationDirPath());
    TUserGuide(const TUserGuide&) = delete;
    TUserGuide& operator=(const TUserGuide&) = delete;

    // Opens the guide; false when none is found.
    bool Open() const;

  private:
    TLanguage language_;
    std::shared_ptr<TGuideOpener> opener_;
    QString programDirectory_;
    QShortcut shortcut_;
};
