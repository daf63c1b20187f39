#include <algorithm>

#include "serial/SerialDriver.h"
#include "serial/SerialMessages.h"
#include "serial/SerialPort.h"
#include "serial/Transfer.h"

namespace {

uint32_t ByteCount(int32_t count) {
    return static_cast<uint32_t>(std::max(count, 0));
}

const char* TransferMessage(TTransferKind direction) {
    return direction == tkRead ? SerialMessage::Read : SerialMessage::Write;
}

}  // namespace

// A transfer that failed because the device has gone says so before it raises as any other.
void TSerialPort::RequireTransfer(bool succeeded, TTransferKind direction) {
    if (!succeeded && Handle_ && Handle_->Vanished()) {
        DeviceVanished_ = true;
    }
    Require(succeeded, TransferMessage(direction));
}

std::unique_ptr<TTransfer> TSerialPort::NewTransfer() {
    auto transfer = std::make_unique<TTransfer>();
    transfer->Io = Driver_->NewTransfer();
    return transfer;
}

void TSerialPort::DisposeTransfer(std::unique_ptr<TTransfer>& transfer) {
    transfer.reset();
}

// Starts a transfer with the given call on the device; a failure to start raises the message of
// its direction.
template <typename Start>
int32_t TSerialPort::BeginTransfer(TTransfer* transfer, TTransferKind direction, Start start) {
    Require(transfer != nullptr, SerialMessage::Async);
    transfer->Direction = direction;
    uint32_t immediate = 0;
    RequireTransfer(Handle_ && transfer->Io && start(*Handle_, immediate, *transfer->Io),
                    direction);
    return static_cast<int32_t>(immediate);
}

int32_t TSerialPort::BeginWrite(const char* buffer, int32_t count, TTransfer* transfer) {
    return BeginTransfer(transfer, tkWrite,
                         [&](TSerialDevice& device, uint32_t& immediate, TSerialTransfer& io) {
                             return device.WriteFile(buffer, ByteCount(count), immediate, io);
                         });
}

int32_t TSerialPort::BeginWriteBytes(const ByteString& str, TTransfer* transfer) {
    if (str.empty()) {
        return 0;
    }
    return BeginWrite(str.data(), static_cast<int32_t>(str.size()), transfer);
}

int32_t TSerialPort::BeginRead(char* buffer, int32_t count, TTransfer* transfer) {
    return BeginTransfer(transfer, tkRead,
                         [&](TSerialDevice& device, uint32_t& immediate, TSerialTransfer& io) {
                             return device.ReadFile(buffer, ByteCount(count), immediate, io);
                         });
}

int32_t TSerialPort::BeginReadBytes(ByteString& str, int32_t count, TTransfer* transfer) {
    str.resize(count > 0 ? static_cast<size_t>(count) : 0);
    if (count < 1) {
        return 0;
    }
    return BeginRead(str.data(), count, transfer);
}

int32_t TSerialPort::EndTransfer(TTransfer* transfer) {
    Require(transfer != nullptr, SerialMessage::Async);
    uint32_t count = 0;
    const bool completed = transfer->Io && transfer->Io->Wait() && transfer->Io->Result(count);
    RequireTransfer(completed, transfer->Direction);
    return static_cast<int32_t>(count);
}

int32_t TSerialPort::WriteBytes(const ByteString& str) {
    std::unique_ptr<TTransfer> transfer = NewTransfer();
    BeginWriteBytes(str, transfer.get());
    const int32_t written = EndTransfer(transfer.get());
    DisposeTransfer(transfer);
    return written;
}

int32_t TSerialPort::ReadBytes(ByteString& str, int32_t count) {
    std::unique_ptr<TTransfer> transfer = NewTransfer();
    BeginReadBytes(str, count, transfer.get());
    // A driver never reports more than was asked for; the clamp keeps a faulty one from
    // exposing bytes that were not read.
    const int32_t read =
        std::clamp(EndTransfer(transfer.get()), 0, static_cast<int32_t>(str.size()));
    str.resize(static_cast<size_t>(read));
    DisposeTransfer(transfer);
    return read;
}

int32_t TSerialPort::BytesWaiting() {
    return static_cast<int32_t>(CommStatus().InQueue);
}

// Reading the status also clears the driver's error flags.
TCommStatus TSerialPort::CommStatus() {
    TCommStatus status;
    Require(Handle_ && Handle_->ClearCommError(status), SerialMessage::ClearCommError);
    return status;
}

TModemSignals TSerialPort::ModemSignals() {
    uint32_t status = 0;
    Require(Handle_ && Handle_->GetCommModemStatus(status), SerialMessage::GetCommModemStatus);
    TModemSignals signals;
    if (status & SerialCode::ModemCtsOn) {
        signals.Include(msCTS);
    }
    if (status & SerialCode::ModemDsrOn) {
        signals.Include(msDSR);
    }
    if (status & SerialCode::ModemRingOn) {
        signals.Include(msRing);
    }
    if (status & SerialCode::ModemRlsdOn) {
        signals.Include(msRLSD);
    }
    return signals;
}
