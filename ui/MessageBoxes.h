#pragma once

#include <QCoreApplication>
#include <QMessageBox>
#include <QString>
#include <memory>

inline constexpr const char* ApplicationTitleSource =
    QT_TRANSLATE_NOOP("MessageBoxes", "Ирвен А8 Конфигуратор");
// The application's title in the interface language: the caption of every message box.
inline QString ApplicationTitle() {
    return QCoreApplication::translate("MessageBoxes", ApplicationTitleSource);
}

// The text the error display shows: a full stop is added when the last character sorts after ".".
QString ErrorDisplayText(const QString& message);

// The default error display: the application title, a stop icon and one OK.
std::unique_ptr<QMessageBox> MakeErrorBox(const QString& message, QWidget* parent);
// A plain confirmation: the application title, no icon, one OK.
std::unique_ptr<QMessageBox> MakeConfirmationBox(const QString& message, QWidget* parent);
// The code-table validation warning: "Warning", a warning icon, OK and Cancel, in English whatever
// the system's locale, in Ukrainian when the interface speaks it.
std::unique_ptr<QMessageBox> MakeValidationWarning(const QString& message, QWidget* parent);
// Whether to replace the settings file that saving is about to write.
std::unique_ptr<QMessageBox> MakeReplaceQuestion(const QString& path, QWidget* parent);
