#include <QApplication>
#include <QDir>
#include <cstdio>
#include <exception>

#include "docs/guide/GuidePictures.h"
#include "ui/InterfaceTranslations.h"

// irven-guide-pictures FOLDER: the guide's pictures of the window, in Russian into FOLDER/ru and
// in Ukrainian into FOLDER/uk.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: irven-guide-pictures FOLDER\n", stderr);
        return 2;
    }
    try {
        for (const TLanguage language : {TLanguage::Russian, TLanguage::Ukrainian}) {
            const QString code = language == TLanguage::Russian ? "ru" : "uk";
            const QDir folder(QDir(QString::fromLocal8Bit(argv[1])).filePath(code));
            if (!folder.mkpath(QStringLiteral("."))) {
                throw std::runtime_error("cannot make " + folder.path().toStdString());
            }
            const TInterfaceTranslations translations(language);
            TGuidePictures(folder).TakeAll();
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "irven-guide-pictures: %s\n", error.what());
        return 1;
    }
    return 0;
}
