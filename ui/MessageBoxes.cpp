#include "ui/MessageBoxes.h"

#include <QPushButton>

QString ErrorDisplayText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.')) {
        return message + QLatin1Char('.');
    }
    return message;
}

std::unique_ptr<QMessageBox> MakeErrorBox(const QString& message, QWidget* parent) {
    return std::make_unique<QMessageBox>(QMessageBox::Critical, ApplicationTitle(),
                                         ErrorDisplayText(message), QMessageBox::Ok, parent);
}

std::unique_ptr<QMessageBox> MakeConfirmationBox(const QString& message, QWidget* parent) {
    return std::make_unique<QMessageBox>(QMessageBox::NoIcon, ApplicationTitle(), message,
                                         QMessageBox::Ok, parent);
}

std::unique_ptr<QMessageBox> MakeValidationWarning(const QString& message, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(
        QMessageBox::Warning, QCoreApplication::translate("MessageBoxes", "Warning"), message,
        QMessageBox::Ok | QMessageBox::Cancel, parent);
    // The English texts the warning has always shown, not Qt's in the system's locale; only our
    // own translation changes them.
    box->button(QMessageBox::Ok)->setText(QCoreApplication::translate("MessageBoxes", "OK"));
    box->button(QMessageBox::Cancel)
        ->setText(QCoreApplication::translate("MessageBoxes", "Cancel"));
    return box;
}

std::unique_ptr<QMessageBox> MakeReplaceQuestion(const QString& path, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(
        QMessageBox::Question, ApplicationTitle(),
        QCoreApplication::translate("MessageBoxes", "Файл %1 уже существует. Заменить его?")
            .arg(path),
        QMessageBox::Yes | QMessageBox::No, parent);
    box->setDefaultButton(QMessageBox::No);
    return box;
}
