#pragma once

#include <cstdint>
#include <memory>

class TSerialPort;

struct TWindowMessage {
    uint32_t Msg = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
};

// The hidden window of the window delivery route. It belongs to the GUI thread, which runs the
// port's EventWindowProc for every message sent to it; the monitor thread sends.
class TEventWindow {
  public:
    virtual ~TEventWindow() = default;

    // Monitor thread: sends the message and waits until the window has taken it.
    virtual void Send(const TWindowMessage& message) = 0;

    // GUI thread, inside the window procedure.
    virtual bool SentFromOtherThread() const = 0;
    virtual void Reply(intptr_t result) = 0;
    virtual intptr_t DefaultProcedure(const TWindowMessage& message) = 0;
};

// A hidden window of the platform, created on the calling (GUI) thread, whose procedure is the
// port's EventWindowProc.
std::unique_ptr<TEventWindow> NewEventWindow(TSerialPort& port);
