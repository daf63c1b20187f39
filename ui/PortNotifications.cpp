#include "ui/PortNotifications.h"

#include <QMetaObject>

TPortNotifications::TPortNotifications(TSerialPort& port, QObject& window, THandlers handlers)
    : port_(port) {
    port_.SetSyncWakeup([&window, waiting = std::move(handlers.SyncCallsWaiting)] {
        QMetaObject::invokeMethod(&window, waiting, Qt::QueuedConnection);
    });
}

TPortNotifications::~TPortNotifications() {
    port_.SetSyncWakeup({});
}
