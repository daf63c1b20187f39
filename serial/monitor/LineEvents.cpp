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

// The members whose flag is in flags; the table is indexed by the members' ordinals.
template <typename E>
TEnumSet<E> MembersOf(uint32_t flags, const std::array<uint32_t, 8>& table) {
    TEnumSet<E> members;
    for (unsigned member = 0; member < table.size(); ++member) {
        if (flags & table[member]) {
            members.Include(static_cast<E>(member));
        }
    }
    return members;
}

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
    return MembersOf<TLineEvent>(mask, kEventFlags);
}

TLineErrors LineErrorsFromFlags(uint32_t flags, TParity parity) {
    TLineErrors errors = MembersOf<TLineError>(flags, kErrorFlags);
    if (parity == paNone) {
        errors.Exclude(ceRxParity);
    }
    return errors;
}
