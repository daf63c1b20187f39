#include "serial/SerialTimeouts.h"

#include "serial/SerialPort.h"

void TSerialTimeouts::Assign(const TSerialTimeouts& source) {
    ReadInterval_ = source.ReadInterval_;
    ReadTotalMultiplier_ = source.ReadTotalMultiplier_;
    ReadTotalConstant_ = source.ReadTotalConstant_;
    WriteTotalMultiplier_ = source.WriteTotalMultiplier_;
    WriteTotalConstant_ = source.WriteTotalConstant_;
}

void TSerialTimeouts::Change(int32_t& field, int32_t value) {
    if (field == value) {
        return;
    }
    field = value;
    if (OwnerPort_ != nullptr) {
        OwnerPort_->ConfigureTimeouts();
    }
}
