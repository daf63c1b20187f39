#pragma once

#include "serial/monitor/EventWindow.h"
#include "serial/monitor/MainThreadQueue.h"

// Where there is no system window to send to, sent messages travel through the port's own
// main-thread queue: the GUI thread takes them when it services that queue, and a reply from the
// procedure releases the sender at once, as a reply to a sent window message does.
class TEventWindowStandIn : public TEventWindow {
  public:
    TEventWindowStandIn(TSerialPort& port, TMainThreadQueue& queue);

    void Send(const TWindowMessage& message) override;
    bool SentFromOtherThread() const override;
    void Reply(intptr_t result) override;
    intptr_t DefaultProcedure(const TWindowMessage& message) override;

  private:
    TSerialPort& Port_;
    TMainThreadQueue& Queue_;
};
