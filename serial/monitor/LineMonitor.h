#pragma once

#include <exception>
#include <memory>

#include "serial/SerialDriver.h"
#include "serial/SerialTypes.h"
#include "serial/monitor/LineEvents.h"
#include "serial/monitor/ThreadSupport.h"

class TSerialPort;

// Watches the line events of an open port on a thread of its own and delivers each wait's events
// in the way the port's SyncMethod chooses. It exists exactly while the port is open: Open creates
// it last, Close destroys it before the device is released. It holds the device itself, so the
// device outlives every wait on it. It is never restarted.
class TLineMonitor {
  public:
    // Watches the port's WatchedEvents and starts the thread.
    explicit TLineMonitor(TSerialPort& ownerPort);
    // Stops the thread and waits for it, running its pending deliveries meanwhile; then stops the
    // event reports and discards both driver queues.
    ~TLineMonitor();
    TLineMonitor(const TLineMonitor&) = delete;
    TLineMonitor& operator=(const TLineMonitor&) = delete;

    void RequestStop();
    // The notifiers of the port for the events of the last wait, in delivery order.
    void DispatchEvents();
    // The same events as window messages to the port's hidden window.
    void SendEventMessages();
    TLineEvents ReceivedEvents() const { return ReceivedEvents_; }

  private:
    void Execute();
    // False when the watch ended for another reason than the stop signal.
    bool WatchUntilStopped();
    void Deliver();

    TSerialPort& OwnerPort_;
    std::shared_ptr<TSerialDevice> Device_;
    std::unique_ptr<TStopSignal> ShutdownEvent_;
    TLineEvents ReceivedEvents_;
    // Last, so that the thread starts when everything it uses is in place.
    std::unique_ptr<TMonitorThread> Thread_;
};

// Calls the port's notifier for each event, in delivery order, while the port stays open.
void DispatchLineEvents(TSerialPort& port, TLineEvents events);
