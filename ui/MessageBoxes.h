#pragma once

#include <QMessageBox>
#include <QString>
#include <memory>

// The application's title: the caption of every message box.
inline const QString ApplicationTitle = QStringLiteral("Ирвен А8 Конфигуратор");

// The text the error display shows: a full stop is added when the last character sorts after ".".
QString ErrorDisplayText(const QString& message);

// The default error display: the application title, a stop icon and one OK.
std::unique_ptr<QMessageBox> MakeErrorBox(const QString& message, QWidget* parent);
// A plain confirmation: the application title, no icon, one OK.
std::unique_ptr<QMessageBox> MakeConfirmationBox(const QString& message, QWidget* parent);
// The code-table validation warning: "Warning", a warning icon, OK and Cancel, whatever the locale.
std::unique_ptr<QMessageBox> MakeValidationWarning(const QString& message, QWidget* parent);
// Whether to replace the settings file that saving is about to write.
std::unique_ptr<QMessageBox> MakeReplaceQuestion(const QString& path, QWidget* parent);
