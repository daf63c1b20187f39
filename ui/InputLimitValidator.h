#pragma once

#include <QLineEdit>
#include <QValidator>

// Limits what the user types into a line edit, and nothing else: unlike QLineEdit's maximum
// length, a text set by the program stays whole, and a text longer than the limit can still be
// shortened.
class TInputLimitValidator final : public QValidator {
    Q_OBJECT

  public:
    TInputLimitValidator(QLineEdit& edit, int limit);

    State validate(QString& input, int& position) const override;
    int Limit() const { return limit_; }

  private:
    int limit_;
    qsizetype committedLength_ = 0;
};
