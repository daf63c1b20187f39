#include "tools/cli/TracingSerialDriver.h"

#include <algorithm>
#include <string_view>

namespace {

// The wrapped driver's transfer, which its device expects, and the buffer of the transfer started
// on it: the bytes are known only once the transfer has completed.
class TTracedTransfer final : public TSerialTransfer {
  public:
    TTracedTransfer(std::unique_ptr<TSerialTransfer> inner, TWireTrace& trace)
        : inner_(std::move(inner)), trace_(trace) {}

    bool Wait() override { return inner_->Wait(); }

    bool Result(uint32_t& count) override {
        if (!inner_->Result(count)) {
            return false;
        }
        if (buffer_ != nullptr) {
            const std::string_view bytes(buffer_, std::min(count, asked_));
            if (reading_) {
                trace_.Read(bytes);
            } else {
                trace_.Written(bytes);
            }
            buffer_ = nullptr;
        }
        return true;
    }

    TSerialTransfer& Inner() { return *inner_; }

    void Started(bool reading, const char* buffer, uint32_t asked) {
        reading_ = reading;
        buffer_ = buffer;
        asked_ = asked;
    }

  private:
    std::unique_ptr<TSerialTransfer> inner_;
    TWireTrace& trace_;
    bool reading_ = false;
    const char* buffer_ = nullptr;
    uint32_t asked_ = 0;
};

class TTracedDevice final : public TSerialDevice {
  public:
    explicit TTracedDevice(std::shared_ptr<TSerialDevice> inner) : inner_(std::move(inner)) {}

    bool SetupComm(uint32_t inQueue, uint32_t outQueue) override {
        return inner_->SetupComm(inQueue, outQueue);
    }
    bool SetCommState(const TSerialDcb& dcb) override { return inner_->SetCommState(dcb); }
    bool SetCommTimeouts(const TCommTimeouts& timeouts) override {
        return inner_->SetCommTimeouts(timeouts);
    }
    bool EscapeCommFunction(uint32_t function) override {
        return inner_->EscapeCommFunction(function);
    }
    bool PurgeComm(uint32_t flags) override { return inner_->PurgeComm(flags); }

    bool WriteFile(const char* buffer, uint32_t count, uint32_t& immediate,
                   TSerialTransfer& transfer) override {
        auto& traced = dynamic_cast<TTracedTransfer&>(transfer);
        if (!inner_->WriteFile(buffer, count, immediate, traced.Inner())) {
            return false;
        }
        traced.Started(false, buffer, count);
        return true;
    }

    bool ReadFile(char* buffer, uint32_t count, uint32_t& immediate,
                  TSerialTransfer& transfer) override {
        auto& traced = dynamic_cast<TTracedTransfer&>(transfer);
        if (!inner_->ReadFile(buffer, count, immediate, traced.Inner())) {
            return false;
        }
        traced.Started(true, buffer, count);
        return true;
    }

    bool ClearCommError(TCommStatus& status) override { return inner_->ClearCommError(status); }
    bool GetCommModemStatus(uint32_t& status) override {
        return inner_->GetCommModemStatus(status);
    }
    bool SetCommMask(uint32_t mask) override { return inner_->SetCommMask(mask); }
    TLineWait WaitLineEvents(TStopSignal& stop, uint32_t& mask) override {
        return inner_->WaitLineEvents(stop, mask);
    }
    bool Vanished() override { return inner_->Vanished(); }

  private:
    std::shared_ptr<TSerialDevice> inner_;
};

}  // namespace

TTracingSerialDriver::TTracingSerialDriver(std::shared_ptr<TSerialDriver> inner, TWireTrace& trace)
    : inner_(std::move(inner)), trace_(trace) {}

TOpenResult TTracingSerialDriver::Open(const std::string& port) {
    TOpenResult result = inner_->Open(port);
    if (result.Device) {
        result.Device = std::make_shared<TTracedDevice>(std::move(result.Device));
    }
    return result;
}

std::unique_ptr<TSerialTransfer> TTracingSerialDriver::NewTransfer() {
    return std::make_unique<TTracedTransfer>(inner_->NewTransfer(), trace_);
}
