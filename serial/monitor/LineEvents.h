#pragma once

#include <array>
#include <cstdint>

#include "serial/SerialTypes.h"

// The driver's comm-event flags, which are also the event codes of the window route.
namespace LineEventFlag {
constexpr uint32_t RxChar = 1;
constexpr uint32_t TxEmpty = 4;
constexpr uint32_t Cts = 8;
constexpr uint32_t Dsr = 16;
constexpr uint32_t Rlsd = 32;
constexpr uint32_t Err = 128;
constexpr uint32_t Ring = 256;
constexpr uint32_t Rx80Full = 1024;
}  // namespace LineEventFlag

// The error flags ClearCommError reports.
namespace LineErrorFlag {
constexpr uint32_t RxOver = 1;
constexpr uint32_t Overrun = 2;
constexpr uint32_t RxParity = 4;
constexpr uint32_t Frame = 8;
constexpr uint32_t Break = 16;
constexpr uint32_t TxFull = 256;
constexpr uint32_t IO = 1024;
constexpr uint32_t Mode = 32768;
}  // namespace LineErrorFlag

// The window message that carries one event code in wParam.
constexpr uint32_t kLineEventMessage = 1025;

// The order in which the events of one wait are delivered: a line error always comes before the
// received data it arrived with.
constexpr std::array<TLineEvent, 8> kDeliveryOrder = {leError, leRxChar, leTxEmpty, leRing,
                                                      leCTS,   leDSR,    leRLSD,    leRx80Full};

uint32_t EventFlag(TLineEvent event);
uint32_t EventsToMask(TLineEvents events);
// Bits of the mask that name no event are ignored.
TLineEvents MaskToEvents(uint32_t mask);
// A parity error counts only while the line checks parity; unknown flags are ignored.
TLineErrors LineErrorsFromFlags(uint32_t flags, TParity parity);
