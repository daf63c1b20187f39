#pragma once

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "protocol/DeviceLink.h"
#include "serial/SerialPort.h"
#include "testing/FakeClock.h"
#include "testing/FakeSerialDriver.h"

// A link over the recording fake driver with a scripted panel. Everything that reaches the line or
// the progress bar is written into one transcript, in order: "read 100", "send ?S1;",
// "wait 500", "progress 10". Bytes outside printable ASCII appear as \xNN.
class TLinkHarness {
  public:
    TLinkHarness() {
        Driver->OnWrite = [this](const ByteString& frame) { Sent(frame); };
        Clock.OnSleep = [this](uint32_t ms) { Waited(ms); };
    }

    void Connect() {
        Port.SetPort("COM1");
        Port.Open();
    }

    // The panel's answer to a frame: element i arrives during the i-th wait after it.
    std::map<ByteString, std::vector<ByteString>> Replies;
    // Runs after each frame is logged, before its replies: faults and late replies go here.
    std::function<void(const ByteString& frame)> OnSend;

    std::vector<std::string> Transcript() {
        TakeReads();
        return transcript_;
    }

    static std::string Printable(const ByteString& bytes) {
        std::string text;
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x20 && byte < 0x7F) {
                text += c;
            } else {
                char escaped[5];
                std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
                text += escaped;
            }
        }
        return text;
    }

    class TProgress final : public TProgressIndicator {
      public:
        explicit TProgress(TLinkHarness& owner) : owner_(owner) {}
        int Position() const override { return position_; }
        void SetPosition(int position) override {
            position_ = position;
            owner_.Log("progress " + std::to_string(position));
        }

      private:
        TLinkHarness& owner_;
        int position_ = 0;
    };

    std::shared_ptr<TFakeSerialDriver> Driver = std::make_shared<TFakeSerialDriver>();
    TSerialPort Port{Driver};
    TProgress Progress{*this};
    TFakeClock Clock;
    TDeviceLink Link{Port, Progress, Clock};

  private:
    void Sent(const ByteString& frame) {
        Log("send " + Printable(frame));
        current_ = frame;
        waitsSince_ = 0;
        if (OnSend) {
            OnSend(frame);
        }
    }

    void Waited(uint32_t ms) {
        Log("wait " + std::to_string(ms));
        const auto script = Replies.find(current_);
        if (script != Replies.end() && waitsSince_ < script->second.size()) {
            Driver->Feed(script->second[waitsSince_]);
        }
        ++waitsSince_;
    }

    void Log(const std::string& entry) {
        TakeReads();
        transcript_.push_back(entry);
    }

    // Reads are taken from the driver's call log, so they land in order between the other entries.
    void TakeReads() {
        for (const std::string& call : Driver->State().Calls) {
            if (call.rfind("ReadFile ", 0) == 0) {
                transcript_.push_back("read " + call.substr(9));
            }
        }
        Driver->ClearCalls();
    }

    std::vector<std::string> transcript_;
    ByteString current_;
    std::size_t waitsSince_ = 0;
};
