#pragma once

#include <QApplication>
#include <optional>

#include "language/Language.h"
#include "ui/Form1.h"
#include "ui/InterfaceTranslations.h"
#include "ui/UserGuide.h"

// The program's start-up after the application object exists: the interface language with its
// translations and Qt's own texts, the title and icon, the main window with its creation handler,
// then the message loop.
class TConfiguratorApplication {
  public:
    static inline const QString DesktopFileName = QStringLiteral("org.irven.Configurator");

    // The language is the one "--lang" names among the application's arguments, else the
    // system's.
    explicit TConfiguratorApplication(QApplication& application,
                                      TLanguage systemLanguage = SystemLanguage());

    // Creates the window, which runs its creation handler, and shows it.
    void Start();
    // Start, then the message loop until the window is closed.
    int Run();
    // The window, once Run has made it.
    TForm1* Window() { return form_ ? &*form_ : nullptr; }
    TLanguage Language() const { return language_; }

  private:
    static TLanguage ChooseLanguage(TLanguage systemLanguage);
    void SetTitle();
    static void SetIcon();

    QApplication& application_;
    TLanguage language_;
    TInterfaceTranslations translations_;
    std::optional<TForm1> form_;
    // F1 on the window; ended before the window it is installed on.
    std::optional<TUserGuide> guide_;
};
