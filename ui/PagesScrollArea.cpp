#include "ui/PagesScrollArea.h"

TPagesScrollArea::TPagesScrollArea() {
    setFrameShape(QFrame::NoFrame);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
}

QSize TPagesScrollArea::sizeHint() const {
    return widget() ? widget()->size() : QScrollArea::sizeHint();
}
