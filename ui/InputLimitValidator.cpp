#include "ui/InputLimitValidator.h"

TInputLimitValidator::TInputLimitValidator(QLineEdit& edit, int limit)
    : limit_(limit), committedLength_(edit.text().size()) {
    connect(&edit, &QLineEdit::textChanged, this,
            [this](const QString& text) { committedLength_ = text.size(); });
    edit.setValidator(this);
}

QValidator::State TInputLimitValidator::validate(QString& input, int&) const {
    if (input.size() <= limit_ || input.size() <= committedLength_) {
        return Acceptable;
    }
    return Invalid;
}

void TInputLimitValidator::SetProgramText(QLineEdit& edit, const QString& text) {
    if (const auto* limit = qobject_cast<const TInputLimitValidator*>(edit.validator())) {
        limit->committedLength_ = text.size();
    }
    edit.setText(text);
}
