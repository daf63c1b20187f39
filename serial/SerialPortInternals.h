#pragma once

#include <memory>

#include "serial/SerialDriver.h"
#include "serial/SerialPort.h"
#include "serial/monitor/MainThreadQueue.h"

// What the component's own parts (the line-event monitor, the platform's hidden window) and the
// component's tests reach inside a TSerialPort for: the notifiers and the window procedure among
// them. The rest of the program uses only the public members of TSerialPort.
class TSerialPortInternals {
  public:
    // The open device, shared with the monitor; empty while closed.
    static const std::shared_ptr<TSerialDevice>& Handle(const TSerialPort& port) {
        return port.Handle_;
    }
    static TSerialDriver& Driver(const TSerialPort& port) { return *port.Driver_; }
    static TLineEvents WatchedEvents(const TSerialPort& port) { return port.WatchedEvents_; }
    static TMainThreadQueue& SyncCalls(TSerialPort& port) { return *port.SyncCalls_; }
    static TLineMonitor* Monitor(const TSerialPort& port) { return port.Monitor_.get(); }
    static TEventWindow* WindowHandle(const TSerialPort& port) { return port.WindowHandle_.get(); }
    static void NotifyLineEvent(TSerialPort& port, TLineEvent event) {
        port.NotifyLineEvent(event);
    }
    static intptr_t EventWindowProc(TSerialPort& port, const TWindowMessage& message) {
        return port.EventWindowProc(message);
    }
    static void ReportDeviceVanished(TSerialPort& port) { port.ReportDeviceVanished(); }
    static TSerialDcb ControlBlock(const TSerialPort& port) { return port.ControlBlock(); }
};
