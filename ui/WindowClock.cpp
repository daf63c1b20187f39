#include "ui/WindowClock.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

void TWindowClock::Sleep(uint32_t milliseconds) {
    QDeadlineTimer deadline(milliseconds, Qt::PreciseTimer);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(static_cast<int>(milliseconds));
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    // The loop also ends early when the application is quitting; the panel still gets its full
    // wait, then without events.
    if (!deadline.hasExpired()) {
        QThread::msleep(static_cast<unsigned long>(deadline.remainingTime()));
    }
}
