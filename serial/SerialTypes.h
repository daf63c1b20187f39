#pragma once

#include <cstdint>

#include "serial/EnumSet.h"

// The ordinals matter: the window selects a rate by its list position, and the ordinals of
// TByteSize, TParity and TStopBits go to the driver's control block.
enum TBaudRate {
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br128000,
    br256000
};

enum TByteSize { bs5, bs6, bs7, bs8 };
enum TParity { paNone, paOdd, paEven, paMark, paSpace };
enum TStopBits { sb1, sb1_5, sb2 };
enum TSyncMethod { smThreadSync, smWindowSync, smNone };

enum TModemSignal { msCTS, msDSR, msRing, msRLSD };
using TModemSignals = TEnumSet<TModemSignal>;

enum TLineEvent { leRxChar, leTxEmpty, leRing, leCTS, leDSR, leRLSD, leError, leRx80Full };
using TLineEvents = TEnumSet<TLineEvent>;

enum TLineError { ceFrame, ceRxParity, ceOverrun, ceBreak, ceIO, ceMode, ceRxOver, ceTxFull };
using TLineErrors = TEnumSet<TLineError>;

enum TTransferKind { tkWrite, tkRead };

// Bits per second of a rate; 0 for a value that is none of the fifteen members.
uint32_t BaudRateValue(TBaudRate rate);
