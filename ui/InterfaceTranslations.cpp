#include "ui/InterfaceTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <string>
#include <vector>

TLanguage InterfaceLanguage(const QStringList& arguments, TLanguage systemLanguage) {
    std::vector<std::string> options;
    for (const QString& argument : arguments) {
        options.push_back(argument.toStdString());
    }
    return TakeLanguageOption(options).value_or(systemLanguage);
}

TInterfaceTranslations::TInterfaceTranslations(TLanguage language)
    : core_(CatalogueFor(language, {CoreUkrainian()})) {
    if (language == TLanguage::Ukrainian && window_.load(QStringLiteral(":/i18n/irven_uk.qm"))) {
        QCoreApplication::installTranslator(&window_);
    }
    QCoreApplication::installTranslator(&core_);
    LoadQtTranslations(language);
}

// Ukrainian chosen, Qt speaks Ukrainian; otherwise the system's language, as long as that is not
// Ukrainian, which the choice of Russian overrides.
void TInterfaceTranslations::LoadQtTranslations(TLanguage language) {
    QLocale locale;
    if (language == TLanguage::Ukrainian) {
        locale = QLocale(QLocale::Ukrainian, QLocale::Ukraine);
    } else if (locale.language() == QLocale::Ukrainian) {
        locale = QLocale(QLocale::Russian);
    }
    if (qt_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qt_);
    }
}
