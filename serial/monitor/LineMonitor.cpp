#include "serial/monitor/LineMonitor.h"

#include "serial/SerialPort.h"
#include "serial/SerialPortInternals.h"
#include "serial/monitor/EventWindow.h"

namespace {

// Waits that end without a result, one after the other, that show the device will give none: a
// pulled adapter whose driver fails every wait at once would otherwise keep the monitor spinning.
constexpr int kIncompleteWaitsLimit = 8;

}  // namespace

TLineMonitor::TLineMonitor(TSerialPort& ownerPort)
    : OwnerPort_(ownerPort),
      Device_(TSerialPortInternals::Handle(ownerPort)),
      ShutdownEvent_(TSerialPortInternals::Driver(ownerPort).NewStopSignal()) {
    if (Device_) {
        // Its result is not looked at: a driver that cannot watch simply reports nothing.
        Device_->SetCommMask(EventsToMask(TSerialPortInternals::WatchedEvents(OwnerPort_)));
    }
    TMainThreadQueue& queue = TSerialPortInternals::SyncCalls(OwnerPort_);
    queue.SenderStarted();
    try {
        Thread_ = std::make_unique<TMonitorThread>([this] { Execute(); });
    } catch (...) {
        queue.SenderFinished();
        throw;
    }
}

TLineMonitor::~TLineMonitor() {
    RequestStop();
    TSerialPortInternals::SyncCalls(OwnerPort_).ServiceUntilSenderFinished();
    Thread_->Join();
    // Also after a handler's exception ended the loop early: this is how Close throws away
    // whatever was received and not read.
    if (Device_) {
        Device_->SetCommMask(0);
        Device_->PurgeComm(SerialCode::PurgeTxClear | SerialCode::PurgeRxClear);
    }
}

void TLineMonitor::RequestStop() {
    ShutdownEvent_->Signal();
}

void TLineMonitor::Execute() {
    // A device that is gone is told of once, whether a wait or a notifier found it out.
    if (!WatchUntilStopped() && Device_ && Device_->Vanished()) {
        TSerialPortInternals::ReportDeviceVanished(OwnerPort_);
    }
    TSerialPortInternals::SyncCalls(OwnerPort_).SenderFinished();
}

bool TLineMonitor::WatchUntilStopped() {
    try {
        uint32_t mask = 0;
        for (int incomplete = 0;;) {
            const TLineWait result =
                Device_ ? Device_->WaitLineEvents(*ShutdownEvent_, mask) : TLineWait::lwFailed;
            if (result == TLineWait::lwIncomplete) {
                if (++incomplete == kIncompleteWaitsLimit || Device_->Vanished()) {
                    return false;
                }
                continue;
            }
            incomplete = 0;
            if (result == TLineWait::lwEvents) {
                ReceivedEvents_ = MaskToEvents(mask);
                // A wait that reported only foreign bits wakes no one.
                if (!ReceivedEvents_.Empty()) {
                    Deliver();
                }
            } else if (result != TLineWait::lwNoEvents) {
                return result == TLineWait::lwStopped;
            }
        }
    } catch (...) {
        // An exception from a notifier or a handler ends the monitor; nothing is shown. The
        // port stays open and its transfers keep working.
    }
    return false;
}

void TLineMonitor::Deliver() {
    switch (OwnerPort_.SyncMethod()) {
        case smThreadSync: {
            TSerialPort& port = OwnerPort_;
            const TLineEvents events = ReceivedEvents_;
            TSerialPortInternals::SyncCalls(port).Call(
                [&port, events] { DispatchLineEvents(port, events); });
            break;
        }
        case smWindowSync:
            SendEventMessages();
            break;
        case smNone:
            DispatchEvents();
            break;
    }
}

void TLineMonitor::DispatchEvents() {
    DispatchLineEvents(OwnerPort_, ReceivedEvents_);
}

void TLineMonitor::SendEventMessages() {
    TEventWindow* window = TSerialPortInternals::WindowHandle(OwnerPort_);
    if (!window) {
        return;
    }
    for (TLineEvent event : kDeliveryOrder) {
        if (ReceivedEvents_.Contains(event)) {
            window->Send(TWindowMessage{kLineEventMessage, EventFlag(event), 0});
        }
    }
}

void DispatchLineEvents(TSerialPort& port, TLineEvents events) {
    for (TLineEvent event : kDeliveryOrder) {
        if (events.Contains(event) && port.Connected()) {
            TSerialPortInternals::NotifyLineEvent(port, event);
        }
    }
}
