#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "bench/startup/PeakMemory.h"

// Tells the bench on standard output when the window's first frame has been painted and flushed,
// then ends the program. Where the bench cannot measure the program from outside (under Wine the
// process also holds the emulator), the line carries the program's own peak: "painted 41234".
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
                const long peak = OwnPeakKilobytes();
                if (peak > 0) {
                    std::printf("painted %ld\n", peak);
                } else {
                    std::puts("painted");
                }
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

  private:
    bool painted_ = false;
};
