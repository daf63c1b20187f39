#include "serial/SerialDriver.h"
#include "serial/SerialPort.h"
#include "serial/monitor/EventWindow.h"
#include "serial/monitor/LineEvents.h"

// The notifiers make their status query even without a handler: reading the input count or the
// error status is also what clears the driver's error flags.

void TSerialPort::Notify(const TNotifyEvent& handler) {
    if (handler) {
        handler(*this);
    }
}

// The modem signals are read only for a handler.
void TSerialPort::NotifySignal(const TLineSignalEvent& handler, TModemSignal signal) {
    if (handler) {
        handler(*this, ModemSignals().Contains(signal));
    }
}

void TSerialPort::NotifyRxChar() {
    const int32_t count = BytesWaiting();
    if (count > 0 && OnRxChar_) {
        OnRxChar_(*this, count);
    }
}

void TSerialPort::NotifyTxEmpty() {
    Notify(OnTxEmpty_);
}

void TSerialPort::NotifyRing() {
    Notify(OnRing_);
}

void TSerialPort::NotifyCTSChange() {
    NotifySignal(OnCTSChange_, msCTS);
}

void TSerialPort::NotifyDSRChange() {
    NotifySignal(OnDSRChange_, msDSR);
}

void TSerialPort::NotifyRLSDChange() {
    NotifySignal(OnRLSDChange_, msRLSD);
}

void TSerialPort::NotifyError() {
    const TLineErrors errors = LineErrorsFromFlags(CommStatus().Errors, Parity_);
    if (!errors.Empty() && OnError_) {
        OnError_(*this, errors);
    }
}

void TSerialPort::NotifyRx80Full() {
    Notify(OnRx80Full_);
}

void TSerialPort::NotifyLineEvent(TLineEvent event) {
    switch (event) {
        case leRxChar:
            return NotifyRxChar();
        case leTxEmpty:
            return NotifyTxEmpty();
        case leRing:
            return NotifyRing();
        case leCTS:
            return NotifyCTSChange();
        case leDSR:
            return NotifyDSRChange();
        case leRLSD:
            return NotifyRLSDChange();
        case leError:
            return NotifyError();
        case leRx80Full:
            return NotifyRx80Full();
    }
}

intptr_t TSerialPort::EventWindowProc(const TWindowMessage& message) {
    if (message.Msg != kLineEventMessage) {
        return WindowHandle_ ? WindowHandle_->DefaultProcedure(message) : 0;
    }
    try {
        // The monitor goes on while the notifier runs.
        if (WindowHandle_ && WindowHandle_->SentFromOtherThread()) {
            WindowHandle_->Reply(0);
        }
        // A message that arrives after the port has closed is dropped.
        if (Connected_) {
            for (TLineEvent event : kDeliveryOrder) {
                if (EventFlag(event) == message.WParam) {
                    NotifyLineEvent(event);
                }
            }
        }
    } catch (...) {
        if (WindowExceptionHandler_) {
            try {
                WindowExceptionHandler_(std::current_exception());
            } catch (...) {
                // The window procedure always returns normally.
            }
        }
    }
    return 0;
}
