#include "serial/LineMonitor.h"

#include <array>

#include "serial/SerialPort.h"

uint32_t EventsToMask(TLineEvents events) {
    static constexpr std::array<uint32_t, 8> kFlags = {1, 4, 256, 8, 16, 32, 128, 1024};
    uint32_t mask = 0;
    for (unsigned member = 0; member < kFlags.size(); ++member) {
        if (events.Contains(static_cast<TLineEvent>(member))) {
            mask |= kFlags[member];
        }
    }
    return mask;
}

TLineMonitor::TLineMonitor(TSerialPort& ownerPort)
    : OwnerPort_(ownerPort), Device_(ownerPort.Handle()) {
    if (Device_) {
        Device_->SetCommMask(EventsToMask(OwnerPort_.WatchedEvents()));
    }
}

TLineMonitor::~TLineMonitor() {
    // On its way out the monitor stops the event reports and discards both queues, which is how
    // Close throws away whatever was received and not read.
    if (Device_) {
        Device_->SetCommMask(0);
        Device_->PurgeComm(SerialCode::PurgeTxClear | SerialCode::PurgeRxClear);
    }
}
