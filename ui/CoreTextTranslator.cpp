#include "ui/CoreTextTranslator.h"

#include <QCoreApplication>
#include <cstring>

QString TCoreTextTranslator::translate(const char* context, const char* sourceText, const char*,
                                       int) const {
    if (context == nullptr || std::strcmp(context, Context) != 0 || sourceText == nullptr) {
        return {};
    }
    return QString::fromStdString(catalogue_.Translate(sourceText));
}

QString TranslateCoreText(const QString& text) {
    return QCoreApplication::translate(TCoreTextTranslator::Context, text.toUtf8().constData());
}
