// Any sequence of opens, closes, settings, transfers and injected driver failures on the serial
// component: only ESerialPort escapes, a read hands over exactly the bytes it took from the queue,
// a write hands the driver exactly its bytes, and Close always ends closed with the device
// released.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "serial/SerialPort.h"
#include "testing/FakeSerialDriver.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

class TScript {
  public:
    TScript(const uint8_t* data, size_t size) : Data_(data), Size_(size) {}
    bool Done() const { return Pos_ >= Size_; }
    uint8_t Byte() { return Done() ? 0 : Data_[Pos_++]; }
    ByteString Bytes() {
        ByteString bytes;
        for (size_t count = Byte() % 40; count > 0 && !Done(); --count) {
            bytes += static_cast<char>(Byte());
        }
        return bytes;
    }
    int32_t Number() {
        const uint32_t value = (uint32_t{Byte()} << 8) | Byte();
        return static_cast<int32_t>(value) - 0x8000;
    }

  private:
    const uint8_t* Data_;
    size_t Size_;
    size_t Pos_ = 0;
};

const char* const kCalls[] = {"Open",
                              "SetupComm",
                              "SetCommState",
                              "SetCommTimeouts",
                              "EscapeCommFunction",
                              "PurgeComm",
                              "WriteFile",
                              "ReadFile",
                              "Wait",
                              "Result",
                              "ClearCommError",
                              "GetCommModemStatus"};

void Read(TSerialPort& port, TFakeSerialDriver& driver, int32_t count) {
    const size_t before = driver.Pending();
    ByteString str = "x";
    const int32_t read = port.ReadBytes(str, count);
    Check(read >= 0 && read <= std::max(count, 0));
    Check(str.size() == static_cast<size_t>(read));
    Check(driver.Pending() == before - static_cast<size_t>(read));
}

void Write(TSerialPort& port, TFakeSerialDriver& driver, const ByteString& bytes) {
    const ByteString before = driver.Written();
    const int32_t written = port.WriteBytes(bytes);
    Check(written == static_cast<int32_t>(bytes.size()));
    Check(driver.Written() == before + bytes);
}

void Close(TSerialPort& port, TFakeSerialDriver& driver) {
    try {
        port.Close();
    } catch (const ESerialPort&) {
    }
    Check(!port.Connected() && !driver.State().Open);
}

void Step(TScript& script, TSerialPort& port, TFakeSerialDriver& driver) {
    switch (script.Byte() % 13) {
        case 0:
            port.Open();
            Check(port.Connected() && driver.State().Open);
            break;
        case 1:
            Close(port, driver);
            break;
        case 2:
            driver.Feed(script.Bytes());
            break;
        case 3:
            Read(port, driver, static_cast<int32_t>(script.Byte()) - 16);
            break;
        case 4:
            Write(port, driver, script.Bytes());
            break;
        case 5:
            driver.FailNext(kCalls[script.Byte() % std::size(kCalls)]);
            break;
        case 6:
            if (script.Byte() % 2 == 0) {
                driver.HangUp();
            } else {
                driver.Reconnect();
            }
            break;
        case 7:
            port.SetBaudRate(static_cast<TBaudRate>(script.Byte() % 16));
            break;
        case 8:
            port.SetInBufSize(script.Number());
            Check(port.InBufSize() <= 0 || port.InBufSize() % 2 == 0);
            break;
        case 9:
            port.Timeouts().SetReadInterval(script.Number());
            break;
        case 10:
            Check(port.BytesWaiting() == static_cast<int32_t>(driver.Pending()));
            break;
        case 11: {
            const std::string name = script.Byte() % 2 ? "COM1" : "COM2";
            port.SetPort(name);
            Check(port.Port() == name);
            break;
        }
        default:
            port.SetParity(static_cast<TParity>(script.Byte() % 5));
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto driver = std::make_shared<TFakeSerialDriver>();
    TScript script(data, size);
    {
        TSerialPort port(driver);
        while (!script.Done()) {
            try {
                Step(script, port, *driver);
            } catch (const ESerialPort&) {
            }
        }
    }
    Check(!driver->State().Open);
    return 0;
}
