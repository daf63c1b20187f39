#include "ui/MessageBoxes.h"

#include <QPushButton>

QString ErrorDisplayText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.')) {
        return message + QLatin1Char('.');
    }
    return message;
}

std::unique_ptr<QMessageBox> MakeErrorBox(const QString& message, QWidget* parent) {
    return std::make_unique<QMessageBox>(QMessageBox::Critical, ApplicationTitle,
                                         ErrorDisplayText(message), QMessageBox::Ok, parent);
}

std::unique_ptr<QMessageBox> MakeConfirmationBox(const QString& message, QWidget* parent) {
    return std::make_unique<QMessageBox>(QMessageBox::NoIcon, ApplicationTitle, message,
                                         QMessageBox::Ok, parent);
}

std::unique_ptr<QMessageBox> MakeValidationWarning(const QString& message, QWidget* parent) {
    auto box =
        std::make_unique<QMessageBox>(QMessageBox::Warning, QStringLiteral("Warning"), message,
                                      QMessageBox::Ok | QMessageBox::Cancel, parent);
    // Fixed English texts, as the warning has always shown them, not the translated ones.
    box->button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box->button(QMessageBox::Cancel)->setText(QStringLiteral("Cancel"));
    return box;
}

std::unique_ptr<QMessageBox> MakeReplaceQuestion(const QString& path, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(
        QMessageBox::Question, ApplicationTitle,
        QStringLiteral("Файл %1 уже существует. Заменить его?").arg(path),
        QMessageBox::Yes | QMessageBox::No, parent);
    box->setDefaultButton(QMessageBox::No);
    return box;
}
