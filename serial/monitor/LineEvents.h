#pragma once

#include <array>
#include <cstdint>

#include "serial/SerialCodes.h"
#include "serial/SerialTypes.h"

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
