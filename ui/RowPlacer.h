#pragma once

#include <QWidget>

// Places the controls of one row of a page at their positions, each wider than given when its
// text needs it; a control is moved right when the one before it has grown into its place.
class TRowPlacer {
  public:
    void Place(QWidget& widget, int left, int top, int width, int height);

  private:
    static constexpr int kMinimumGap = 6;
    int nextFree_ = 0;
};
