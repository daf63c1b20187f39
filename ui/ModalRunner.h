#pragma once

#include <QDialog>

// Every modal box and file dialog of the window is run through this seam, so that tests can read
// what would be shown and answer it without a modal loop blocking them.
class TModalRunner {
  public:
    virtual ~TModalRunner() = default;
    // Runs the prepared dialog and returns its result code (QDialog::Accepted, a button, ...).
    virtual int Exec(QDialog& dialog) = 0;
};

class TExecModalRunner final : public TModalRunner {
  public:
    int Exec(QDialog& dialog) override { return dialog.exec(); }
};
