#pragma once

#include <QLineEdit>
#include <QValidator>

// Limits what the user types into a line edit, and nothing else: unlike QLineEdit's maximum
// length, a text set by the program stays whole, and a text longer than the limit can still be
// shortened. Typing is refused when it would make the text longer than the limit, as with the
// system's own edit boxes.
class TInputLimitValidator final : public QValidator {
    Q_OBJECT

  public:
    TInputLimitValidator(QLineEdit& edit, int limit);

    // Sets a text chosen by the program, whatever its length; a line edit without a limit takes
    // it as it is.
    static void SetProgramText(QLineEdit& edit, const QString& text);

    State validate(QString& input, int& position) const override;
    int Limit() const { return limit_; }

  private:
    int limit_;
    // The length of the text in the edit; what the user types may shorten a longer one.
    mutable qsizetype committedLength_ = 0;
};
