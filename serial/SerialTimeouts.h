#pragma once

#include <cstdint>

class TSerialPort;

// The five timeouts of a port, in the order of the driver's timeouts block; a negative value means
// "no limit" and reaches the driver as MAXDWORD. Setting one value on a port's own timeouts applies
// them at once; a free-standing object (no owner) only holds values to hand to SetTimeouts.
class TSerialTimeouts {
  public:
    TSerialTimeouts() = default;
    explicit TSerialTimeouts(TSerialPort* ownerPort) : OwnerPort_(ownerPort) {}
    // A copy holds the values only; it belongs to no port.
    TSerialTimeouts(const TSerialTimeouts& source) { Assign(source); }
    TSerialTimeouts& operator=(const TSerialTimeouts& source) {
        Assign(source);
        return *this;
    }

    // Copies the five values without applying them.
    void Assign(const TSerialTimeouts& source);

    TSerialPort* OwnerPort() const { return OwnerPort_; }

    int32_t ReadInterval() const { return ReadInterval_; }
    int32_t ReadTotalMultiplier() const { return ReadTotalMultiplier_; }
    int32_t ReadTotalConstant() const { return ReadTotalConstant_; }
    int32_t WriteTotalMultiplier() const { return WriteTotalMultiplier_; }
    int32_t WriteTotalConstant() const { return WriteTotalConstant_; }

    void SetReadInterval(int32_t value) { Change(ReadInterval_, value); }
    void SetReadTotalMultiplier(int32_t value) { Change(ReadTotalMultiplier_, value); }
    void SetReadTotalConstant(int32_t value) { Change(ReadTotalConstant_, value); }
    void SetWriteTotalMultiplier(int32_t value) { Change(WriteTotalMultiplier_, value); }
    void SetWriteTotalConstant(int32_t value) { Change(WriteTotalConstant_, value); }

  private:
    void Change(int32_t& field, int32_t value);

    TSerialPort* OwnerPort_ = nullptr;
    int32_t ReadInterval_ = -1;
    int32_t ReadTotalMultiplier_ = 0;
    int32_t ReadTotalConstant_ = 0;
    int32_t WriteTotalMultiplier_ = 100;
    int32_t WriteTotalConstant_ = 1000;
};
