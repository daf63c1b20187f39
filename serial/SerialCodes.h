#pragma once

#include <cstdint>

// The codes the driver seam speaks in, those of the Win32 communications calls on every platform.

namespace SerialCode {
// EscapeCommFunction.
constexpr uint32_t EscSetRts = 3;
constexpr uint32_t EscClrRts = 4;
constexpr uint32_t EscSetDtr = 5;
constexpr uint32_t EscClrDtr = 6;

// PurgeComm.
constexpr uint32_t PurgeTxAbort = 1;
constexpr uint32_t PurgeRxAbort = 2;
constexpr uint32_t PurgeTxClear = 4;
constexpr uint32_t PurgeRxClear = 8;

// GetCommModemStatus.
constexpr uint32_t ModemCtsOn = 0x10;
constexpr uint32_t ModemDsrOn = 0x20;
constexpr uint32_t ModemRingOn = 0x40;
constexpr uint32_t ModemRlsdOn = 0x80;
}  // namespace SerialCode

// The comm-event flags of SetCommMask and the line-event wait, which are also the event codes of
// the window route.
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
