#include "ui/PortNotifications.h"

#include <QMetaObject>

TPortNotifications::TPortNotifications(TSerialPort& port, QObject& window, THandlers handlers)
    : port_(port) {
    port_.SetSyncWakeup([&window, waiting = std::move(handlers.SyncCallsWaiting)] {
        QMetaObject::invokeMethod(&window, waiting, Qt::QueuedConnection);
    });
    // Told from the port's synchronised calls, which already run on the window's thread.
    port_.SetOnDeviceVanished(std::move(handlers.DeviceVanished));
}

TPortNotifications::~TPortNotifications() {
    port_.SetOnDeviceVanished({});
    port_.SetSyncWakeup({});
}
