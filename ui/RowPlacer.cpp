#include "ui/RowPlacer.h"

#include <QLineEdit>
#include <algorithm>

void TRowPlacer::Place(QWidget& widget, int left, int top, int width, int height) {
    const int x = std::max(left, nextFree_);
    const bool fitsText = qobject_cast<QLineEdit*>(&widget) == nullptr;
    const int w = fitsText ? std::max(width, widget.sizeHint().width()) : width;
    widget.setGeometry(x, top, w, std::max(height, widget.sizeHint().height()));
    nextFree_ = x + w + kMinimumGap;
}
