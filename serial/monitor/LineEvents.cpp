#include "serial/monitor/LineEvents.h"

namespace {

// Indexed by the ordinal of TLineEvent.
constexpr std::array<uint32_t, 8> kEventFlags = {
    LineEventFlag::RxChar, LineEventFlag::TxEmpty, LineEventFlag::Ring, LineEventFlag::Cts,
    LineEventFlag::Dsr,    LineEventFlag::Rlsd,    LineEventFlag::Err,  LineEventFlag::Rx80Full};

// Indexed by the ordinal of TLineError.
constexpr std::array<uint32_t, 8> kErrorFlags = {
    LineErrorFlag::Frame, LineErrorFlag::RxParity, LineErrorFlag::Overrun, LineErrorFlag::Break,
    LineErrorFlag::IO,    LineErrorFlag::Mode,     LineErrorFlag::RxOver,  LineErrorFlag::TxFull};

}  // namespace

uint32_t EventFlag(TLineEvent event) {
    return kEventFlags[static_cast<unsigned>(event)];
}

uint32_t EventsToMask(TLineEvents events) {
    uint32_t mask = 0;
    for (unsigned member = 0; member < kEventFlags.size(); ++member) {
        if (events.Contains(static_cast<TLineEvent>(member))) {
            mask |= kEventFlags[member];
        }
    }
    return mask;
}

TLineEvents MaskToEvents(uint32_t mask) {
    TLineEvents events;
    for (unsigned member = 0; member < kEventFlags.size(); ++member) {
        if (mask & kEventFlags[member]) {
            events.Include(static_cast<TLineEvent>(member));
        }
    }
    return events;
}

TLineErrors LineErrorsFromFlags(uint32_t flags, TParity parity) {
    TLineErrors errors;
    for (unsigned member = 0; member < kErrorFlags.size(); ++member) {
        if (flags & kErrorFlags[member]) {
            errors.Include(static_cast<TLineError>(member));
        }
    }
    if (parity == paNone) {
        errors.Exclude(ceRxParity);
    }
    return errors;
}
