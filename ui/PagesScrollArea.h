#pragma once

#include <QScrollArea>

// Holds the page control: no frame, the pages at the top left, and a size hint of the pages'
// whole size (a plain scroll area hints at less), so that they scroll only when the window is
// smaller than they are.
class TPagesScrollArea final : public QScrollArea {
    Q_OBJECT

  public:
    TPagesScrollArea();

    QSize sizeHint() const override;
};
