#pragma once

#include <QComboBox>
#include <functional>

// The port list: a drop-down whose entries are read again each time it opens, so that an adapter
// plugged in after start-up is offered without a restart.
class TPortComboBox final : public QComboBox {
    Q_OBJECT

  public:
    using QComboBox::QComboBox;

    // Runs before the entries drop down.
    std::function<void()> BeforePopup;

    void showPopup() override;
};
