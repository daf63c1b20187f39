#pragma once

#include <QObject>
#include <functional>

#include "serial/SerialPort.h"

// What the serial port tells the window from its line monitor's thread, handed to the window's
// thread, for as long as this lives. It lives shorter than the port: closing the port runs the
// synchronised calls that still wait itself, and must not wake a window that is going.
class TPortNotifications {
  public:
    // Each runs on the window's thread.
    struct THandlers {
        std::function<void()> SyncCallsWaiting;
        // The device itself is gone while the port is open.
        std::function<void()> DeviceVanished;
    };

    TPortNotifications(TSerialPort& port, QObject& window, THandlers handlers);
    ~TPortNotifications();
    TPortNotifications(const TPortNotifications&) = delete;
    TPortNotifications& operator=(const TPortNotifications&) = delete;

  private:
    TSerialPort& port_;
};
