#pragma once

#include <memory>

#include "serial/SerialDriver.h"
#include "serial/SerialTypes.h"

// One transfer in flight, made for one WriteBytes or ReadBytes call.
struct TTransfer {
    std::unique_ptr<TSerialTransfer> Io;
    TTransferKind Direction = tkWrite;
};
