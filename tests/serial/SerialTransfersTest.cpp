#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "serial/SerialPort.h"
#include "serial/SerialPortInternals.h"
#include "serial/Transfer.h"
#include "testing/FakeSerialDriver.h"
#include "tests/serial/DeviceErrors.h"
#include "tests/serial/SerialTestSupport.h"

using ::testing::ElementsAre;

namespace {

class SerialTransfersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Port.Open();
        Driver->ClearCalls();
    }

    std::shared_ptr<TFakeSerialDriver> Driver = std::make_shared<TFakeSerialDriver>();
    TSerialPort Port{Driver};
};

TEST_F(SerialTransfersTest, ReadReturnsWhatWaitsUpToTheCountAndLeavesTheRest) {
    struct {
        size_t Waiting;
        int32_t Count;
        size_t Expected;
    } const cases[] = {{7, 100, 7}, {0, 100, 0}, {150, 100, 100}, {3, 1, 1}};
    for (const auto& c : cases) {
        ByteString line(c.Waiting, '\0');
        for (size_t i = 0; i < line.size(); ++i) {
            line[i] = static_cast<char>(i * 7);
        }
        Driver->Feed(line);
        ByteString str = "stale contents";
        EXPECT_EQ(Port.ReadBytes(str, c.Count), static_cast<int32_t>(c.Expected));
        EXPECT_EQ(str, line.substr(0, c.Expected));
        EXPECT_EQ(Driver->Pending(), c.Waiting - c.Expected);
        ByteString rest;
        Port.ReadBytes(rest, 1000);
        EXPECT_EQ(rest, line.substr(c.Expected));
    }
}

TEST_F(SerialTransfersTest, WriteSendsEveryByteInOneCallZeroBytesIncluded) {
    const ByteString frame("S1\0;\xFF", 5);
    EXPECT_EQ(Port.WriteBytes(frame), 5);
    EXPECT_THAT(Driver->State().Writes, ElementsAre(frame));
    EXPECT_THAT(Driver->State().Calls, ElementsAre("WriteFile 5", "Wait", "Result"));
}

TEST_F(SerialTransfersTest, EmptyTransfersStartNothingOpenOrClosed) {
    for (bool open : {true, false}) {
        if (!open) {
            Port.Close();
        }
        Driver->ClearCalls();
        ByteString str = "old";
        EXPECT_EQ(Port.WriteBytes(""), 0);
        EXPECT_EQ(Port.ReadBytes(str, 0), 0);
        EXPECT_EQ(str, "");
        str = "old";
        EXPECT_EQ(Port.ReadBytes(str, -4), 0);
        EXPECT_EQ(str, "");
        EXPECT_TRUE(Driver->State().Writes.empty());
        EXPECT_THAT(Driver->State().Calls,
                    ElementsAre("Wait", "Result", "Wait", "Result", "Wait", "Result"));
    }
}

TEST_F(SerialTransfersTest, CountComesFromTheCompletedTransferNotTheStart) {
    Driver->SetCompleteAtOnce(false);
    Driver->Feed("abc");
    auto transfer = Port.NewTransfer();
    EXPECT_EQ(Port.BeginWriteBytes("12345", transfer.get()), 0);
    EXPECT_EQ(Port.EndTransfer(transfer.get()), 5);
    ByteString str;
    EXPECT_EQ(Port.ReadBytes(str, 10), 3);
    EXPECT_EQ(str, "abc");
}

TEST_F(SerialTransfersTest, ScriptedReplyArrivesDuringTheWrite) {
    Driver->OnWrite = [this](const ByteString& written) {
        if (written == "?S1;") {
            Driver->Feed("internet");
        }
    };
    Port.WriteBytes("?S1;");
    ByteString reply;
    Port.ReadBytes(reply, 100);
    EXPECT_EQ(reply, "internet");
}

struct TTransferFailureCase {
    const char* Name;
    std::function<void(TFakeSerialDriver&)> Arrange;
    std::function<void(TSerialPort&)> Act;
    const char* Message;
    // Whether the failure finds the device gone.
    bool Vanished = false;
};

void Write(TSerialPort& port) {
    port.WriteBytes("?S1;");
}
void Read(TSerialPort& port) {
    ByteString str;
    port.ReadBytes(str, 100);
}
void Fail(TFakeSerialDriver& driver, const char* call) {
    driver.FailNext(call);
}

class TransferFailureTest : public SerialTransfersTest,
                            public ::testing::WithParamInterface<TTransferFailureCase> {};

TEST_P(TransferFailureTest, RaisesItsMessageAndThePortKeepsWorking) {
    GetParam().Arrange(*Driver);
    EXPECT_EQ(FailureOf([&] { GetParam().Act(Port); }), GetParam().Message);
    EXPECT_EQ(Port.DeviceVanished(), GetParam().Vanished);
    Driver->Reconnect();
    if (!Port.Connected()) {
        Port.Open();
    }
    Driver->Feed("ok");
    ByteString str;
    EXPECT_EQ(Port.ReadBytes(str, 10), 2);
    EXPECT_EQ(Port.WriteBytes("ok"), 2);
}

const char* const kWriteFailure = "Помилка запису в порт";
const char* const kReadFailure = "Помилка читання з порта";

INSTANTIATE_TEST_SUITE_P(
    Messages, TransferFailureTest,
    ::testing::Values(
        TTransferFailureCase{"WriteStart", [](auto& d) { Fail(d, "WriteFile"); }, Write,
                             kWriteFailure},
        TTransferFailureCase{"WriteWait", [](auto& d) { Fail(d, "Wait"); }, Write, kWriteFailure},
        TTransferFailureCase{"WriteResult", [](auto& d) { Fail(d, "Result"); }, Write,
                             kWriteFailure},
        TTransferFailureCase{"ReadStart", [](auto& d) { Fail(d, "ReadFile"); }, Read, kReadFailure},
        TTransferFailureCase{"ReadWait", [](auto& d) { Fail(d, "Wait"); }, Read, kReadFailure},
        TTransferFailureCase{"ReadResult", [](auto& d) { Fail(d, "Result"); }, Read, kReadFailure},
        TTransferFailureCase{"WriteAfterHangUp", [](auto& d) { d.HangUp(); }, Write, kWriteFailure,
                             true},
        TTransferFailureCase{"ReadAfterHangUp", [](auto& d) { d.HangUp(); }, Read, kReadFailure,
                             true},
        TTransferFailureCase{"WriteClosed", [](auto&) {},
                             [](TSerialPort& p) {
                                 p.Close();
                                 Write(p);
                             },
                             kWriteFailure},
        TTransferFailureCase{"ReadClosed", [](auto&) {},
                             [](TSerialPort& p) {
                                 p.Close();
                                 Read(p);
                             },
                             kReadFailure},
        TTransferFailureCase{"InputCount", [](auto& d) { Fail(d, "ClearCommError"); },
                             [](TSerialPort& p) { p.BytesWaiting(); },
                             "Помилка функції ClearCommError"},
        TTransferFailureCase{"ModemStatus", [](auto& d) { Fail(d, "GetCommModemStatus"); },
                             [](TSerialPort& p) { p.ModemSignals(); },
                             "Помилка функції GetCommModemStatus"},
        TTransferFailureCase{"NoWriteRecord", [](auto&) {},
                             [](TSerialPort& p) { p.BeginWrite("x", 1, nullptr); },
                             "Недопустимий параметр Async"},
        TTransferFailureCase{"NoReadRecord", [](auto&) {},
                             [](TSerialPort& p) {
                                 char buffer[1];
                                 p.BeginRead(buffer, 1, nullptr);
                             },
                             "Недопустимий параметр Async"},
        TTransferFailureCase{"NoEndRecord", [](auto&) {},
                             [](TSerialPort& p) { p.EndTransfer(nullptr); },
                             "Недопустимий параметр Async"}),
    [](const auto& info) { return std::string(info.param.Name); });

// Every error fails a transfer with the message of its direction; only a removal also marks the
// device vanished, which stays so after Close and ends with the next Open.
TEST_F(SerialTransfersTest, OnlyARemovalErrorMarksTheDeviceVanished) {
    const struct {
        const char* Name;
        std::function<void(TSerialPort&, TFakeSerialDriver&, uint32_t error)> Act;
        const char* Message;
    } transfers[] = {
        {"WriteBytes",
         [](TSerialPort& p, TFakeSerialDriver& d, uint32_t error) {
             d.FailEveryCall(error);
             Write(p);
         },
         kWriteFailure},
        {"ReadBytes",
         [](TSerialPort& p, TFakeSerialDriver& d, uint32_t error) {
             d.FailEveryCall(error);
             Read(p);
         },
         kReadFailure},
        {"EndTransfer",
         [](TSerialPort& p, TFakeSerialDriver& d, uint32_t error) {
             auto transfer = p.NewTransfer();
             ByteString str;
             p.BeginReadBytes(str, 10, transfer.get());
             d.FailEveryCall(error);
             d.FailNext("Result");
             p.EndTransfer(transfer.get());
         },
         kReadFailure},
    };
    for (const TDeviceError& error : PlatformDeviceErrors()) {
        for (const auto& transfer : transfers) {
            SCOPED_TRACE(std::string(error.Name) + " " + transfer.Name);
            EXPECT_EQ(FailureOf([&] { transfer.Act(Port, *Driver, error.Code); }),
                      transfer.Message);
            EXPECT_EQ(Port.DeviceVanished(), error.Removal);
            // A device that is still there reports that it cannot drop its lines.
            EXPECT_EQ(FailureOf([&] { Port.Close(); }),
                      error.Removal ? "(nothing raised)" : "Помилка функції EscapeCommFunction");
            EXPECT_EQ(Port.DeviceVanished(), error.Removal);
            Driver->Reconnect();
            ASSERT_TRUE(Port.Open());
            EXPECT_FALSE(Port.DeviceVanished());
        }
    }
}

TEST_F(SerialTransfersTest, BytesWaitingCountsWithoutConsumingAndClearsErrors) {
    Driver->Feed(ByteString(12, 'x'));
    Driver->SetErrorFlags(8);
    EXPECT_EQ(Port.BytesWaiting(), 12);
    EXPECT_EQ(Driver->Pending(), 12u);
    TCommStatus status;
    ASSERT_TRUE(TSerialPortInternals::Handle(Port)->ClearCommError(status));
    EXPECT_EQ(status.Errors, 0u);
}

TEST_F(SerialTransfersTest, ModemSignalsMapTheStatusBits) {
    struct {
        uint32_t Status;
        TModemSignals Signals;
    } const cases[] = {{0x00, {}},
                       {0x90, {msCTS, msRLSD}},
                       {0x20, {msDSR}},
                       {0x40, {msRing}},
                       {0xFF, {msCTS, msDSR, msRing, msRLSD}}};
    for (const auto& c : cases) {
        Driver->SetModemStatus(c.Status);
        EXPECT_EQ(Port.ModemSignals(), c.Signals) << c.Status;
    }
}

}  // namespace
