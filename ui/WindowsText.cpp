#include "ui/WindowsText.h"

#include "protocol/Cp1251.h"

ByteString ToWindows1251(const QString& text) {
    return Utf8ToCp1251(text.toUtf8().toStdString());
}

QString FromWindows1251(const ByteString& bytes) {
    return QString::fromStdString(Cp1251ToUtf8(bytes));
}
