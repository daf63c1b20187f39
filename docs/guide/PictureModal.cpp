#include "docs/guide/PictureModal.h"

#include <QApplication>
#include <QMessageBox>
#include <stdexcept>

int TPictureModal::Exec(QDialog& dialog) {
    if (next_.isEmpty()) {
        throw std::logic_error("unexpected box: " + dialog.windowTitle().toStdString());
    }
    dialog.show();
    QApplication::processEvents();
    const QString path = folder_.filePath(next_);
    next_.clear();
    if (!dialog.grab().save(path)) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
    dialog.hide();
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        return box->standardButton(box->buttons().constFirst());
    }
    return QDialog::Rejected;
}
