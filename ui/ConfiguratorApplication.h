#pragma once

#include <QApplication>
#include <QTranslator>
#include <optional>

#include "ui/Form1.h"

// The program's start-up after the application object exists: its title and icon, Qt's own texts
// in the system language, the main window with its creation handler, then the message loop.
class TConfiguratorApplication {
  public:
    static inline const QString DesktopFileName = QStringLiteral("org.irven.Configurator");

    explicit TConfiguratorApplication(QApplication& application);

    // Creates the window, which runs its creation handler, and shows it.
    void Start();
    // Start, then the message loop until the window is closed.
    int Run();
    // The window, once Run has made it.
    TForm1* Window() { return form_ ? &*form_ : nullptr; }

  private:
    void SetTitle();
    static void SetIcon();
    void LoadQtTranslations();

    QApplication& application_;
    QTranslator qtTranslations_;
    std::optional<TForm1> form_;
};
