#pragma once

#include "protocol/ProgressIndicator.h"

// Lets one bar cover several exchanges in a row: each exchange moves its own 0 to 100 within the
// share of the bar its stage was given. The bar never moves back, so the 0 an exchange ends with
// does not empty it before the next one starts.
class TStagedProgress final : public TProgressIndicator {
  public:
    explicit TStagedProgress(TProgressIndicator& bar) : bar_(bar) {}

    // The next positions land between from and to on the bar.
    void BeginStage(int from, int to);

    int Position() const override { return position_; }
    void SetPosition(int position) override;

  private:
    TProgressIndicator& bar_;
    int from_ = 0;
    int to_ = 100;
    int position_ = 0;
};
