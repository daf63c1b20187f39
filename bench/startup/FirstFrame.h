#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>

// Tells the bench on standard output when the window's first frame has been painted and flushed,
// then ends the program.
class TFirstFrame final : public QObject {
  public:
    explicit TFirstFrame(QWidget& window) { window.installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            watched->removeEventFilter(this);
            // Runs after the paint event's frame has gone to the screen.
            QTimer::singleShot(0, [] {
                std::puts("painted");
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

  private:
    bool painted_ = false;
};
