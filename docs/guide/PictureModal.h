#pragma once

#include <QDir>
#include <QString>

#include "ui/ModalRunner.h"

// Shows each box the window raises just long enough to photograph it, saves the picture under the
// name given beforehand and closes the box with its first button.
class TPictureModal final : public TModalRunner {
  public:
    explicit TPictureModal(QDir folder) : folder_(std::move(folder)) {}

    int Exec(QDialog& dialog) override;
    // The file the next box is saved as; a box raised without a name is an error.
    void NameNext(const QString& fileName) { next_ = fileName; }

  private:
    QDir folder_;
    QString next_;
};
