#pragma once

#include <QStringList>
#include <QTranslator>

#include "language/Language.h"
#include "ui/CoreTextTranslator.h"

// The language the window speaks: the one "--lang" names among the program's arguments, else the
// system's interface language. Throws ELanguageOption for a code other than uk or ru.
TLanguage InterfaceLanguage(const QStringList& arguments, TLanguage systemLanguage);

// The window's texts in a language, installed into the application for the object's life: the
// window's own translation, the core libraries' texts and Qt's texts for the stock dialogs.
// Russian, the language the texts are written in, needs no translation of ours.
class TInterfaceTranslations {
  public:
    explicit TInterfaceTranslations(TLanguage language);
    TInterfaceTranslations(const TInterfaceTranslations&) = delete;
    TInterfaceTranslations& operator=(const TInterfaceTranslations&) = delete;

  private:
    void LoadQtTranslations(TLanguage language);

    QTranslator window_;
    TCoreTextTranslator core_;
    QTranslator qt_;
};
