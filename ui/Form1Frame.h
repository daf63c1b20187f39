#pragma once

#include <QWidget>

#include "ui/PagesScrollArea.h"

// The widgets that hold the window's controls: the central widget, and the scroll area around the
// pages. A base of the window, so that they are made before every control and gone after them.
struct TForm1Frame {
    QWidget Central;
    TPagesScrollArea PagesArea;
};
