#pragma once

#include <QProgressBar>

#include "protocol/ProgressIndicator.h"

// ProgressBar1: range 0 to 100, position set by the exchanges.
class TProgressBar final : public QProgressBar, public TProgressIndicator {
    Q_OBJECT

  public:
    explicit TProgressBar(QWidget* parent = nullptr);

    int Position() const override { return value(); }
    void SetPosition(int position) override { setValue(position); }
};
