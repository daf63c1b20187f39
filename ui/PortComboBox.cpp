#include "ui/PortComboBox.h"

void TPortComboBox::showPopup() {
    if (BeforePopup) {
        BeforePopup();
    }
    QComboBox::showPopup();
}
