#include "serial/SerialMessages.h"
#include "serial/SerialPort.h"
#include "serial/monitor/LineEvents.h"

// The notifiers make their status query even without a handler: reading the input count or the
// error status is also what clears the driver's error flags.

void TSerialPort::NotifyRxChar() {
    const int32_t count = BytesWaiting();
    if (count > 0 && OnRxChar_) {
        OnRxChar_(*this, count);
    }
}

void TSerialPort::NotifyTxEmpty() {
    if (OnTxEmpty_) {
        OnTxEmpty_(*this);
    }
}

void TSerialPort::NotifyRing() {
    if (OnRing_) {
        OnRing_(*this);
    }
}

void TSerialPort::NotifyCTSChange() {
    if (OnCTSChange_) {
        OnCTSChange_(*this, ModemSignals().Contains(msCTS));
    }
}

void TSerialPort::NotifyDSRChange() {
    if (OnDSRChange_) {
        OnDSRChange_(*this, ModemSignals().Contains(msDSR));
    }
}

void TSerialPort::NotifyRLSDChange() {
    if (OnRLSDChange_) {
        OnRLSDChange_(*this, ModemSignals().Contains(msRLSD));
    }
}

void TSerialPort::NotifyError() {
    TCommStatus status;
    Require(Handle_ && Handle_->ClearCommError(status), SerialMessage::ClearCommError);
    const TLineErrors errors = LineErrorsFromFlags(status.Errors, Parity_);
    if (!errors.Empty() && OnError_) {
        OnError_(*this, errors);
    }
}

void TSerialPort::NotifyRx80Full() {
    if (OnRx80Full_) {
        OnRx80Full_(*this);
    }
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
