#include "ui/ProgressBar.h"

TProgressBar::TProgressBar(QWidget* parent) : QProgressBar(parent) {
    setRange(0, 100);
    setValue(0);
    setTextVisible(false);
}
