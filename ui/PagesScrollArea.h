#pragma once

#include <QScrollArea>

// Holds the page control: no frame, the pages at the top left, and a size hint of the pages'
// whole size (a plain scroll area hints at less), so that they scroll only when the window is
// smaller than they are. It takes no focus itself: a scroll area would be one more, invisible,
// stop of the window's Tab cycle.
class TPagesScrollArea final : public QScrollArea {
    Q_OBJECT

  public:
    TPagesScrollArea();

    QSize sizeHint() const override;
};
