#include "serial/linux/EventWindowStandIn.h"

#include "serial/SerialPort.h"
#include "serial/SerialPortInternals.h"

TEventWindowStandIn::TEventWindowStandIn(TSerialPort& port, TMainThreadQueue& queue)
    : Port_(port), Queue_(queue) {}

void TEventWindowStandIn::Send(const TWindowMessage& message) {
    Queue_.Send([&port = Port_, message] { TSerialPortInternals::EventWindowProc(port, message); });
}

bool TEventWindowStandIn::SentFromOtherThread() const {
    return Queue_.InSend();
}

void TEventWindowStandIn::Reply(intptr_t) {
    Queue_.Reply();
}

intptr_t TEventWindowStandIn::DefaultProcedure(const TWindowMessage&) {
    return 0;
}

// Linux has no system window to send to, so the stand-in is its hidden window.
std::unique_ptr<TEventWindow> NewEventWindow(TSerialPort& port) {
    return std::make_unique<TEventWindowStandIn>(port, TSerialPortInternals::SyncCalls(port));
}
