#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "serial/SerialMessages.h"
#include "serial/SerialPort.h"
#include "serial/SerialPortInternals.h"
#include "serial/monitor/EventWindow.h"
#include "serial/monitor/LineEvents.h"
#include "testing/FakeSerialDriver.h"
#include "tests/serial/SerialTestSupport.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// The notifiers and the hidden window's procedure, called directly on the test's thread.
class SerialNotifiersTest : public ::testing::Test {
  protected:
    void RecordEveryHandler() {
        Port.SetOnRxChar([this](TSerialPort&, int32_t n) { Log.push_back("rx " + Num(n)); });
        Port.SetOnTxEmpty([this](TSerialPort&) { Log.push_back("txempty"); });
        Port.SetOnRing([this](TSerialPort&) { Log.push_back("ring"); });
        Port.SetOnCTSChange([this](TSerialPort&, bool on) { Log.push_back("cts " + Num(on)); });
        Port.SetOnDSRChange([this](TSerialPort&, bool on) { Log.push_back("dsr " + Num(on)); });
        Port.SetOnRLSDChange([this](TSerialPort&, bool on) { Log.push_back("rlsd " + Num(on)); });
        Port.SetOnError(
            [this](TSerialPort&, TLineErrors e) { Log.push_back("error " + Num(e.Bits())); });
        Port.SetOnRx80Full([this](TSerialPort&) { Log.push_back("rx80full"); });
    }

    static std::string Num(int64_t value) { return std::to_string(value); }
    intptr_t Proc(const TWindowMessage& message) {
        return TSerialPortInternals::EventWindowProc(Port, message);
    }

    std::shared_ptr<TFakeSerialDriver> Driver = std::make_shared<TFakeSerialDriver>();
    TSerialPort Port{Driver};
    std::vector<std::string> Log;
};

TEST(LineEventMask, WatchedEventsAndForeignBits) {
    const TLineEvents all{leRxChar, leTxEmpty, leRing, leCTS, leDSR, leRLSD, leError, leRx80Full};
    EXPECT_EQ(EventsToMask(all), 1469u);
    EXPECT_EQ(MaskToEvents(0xFFFFFFFF), all);
    EXPECT_TRUE(MaskToEvents(2 | 64 | 512 | 2048 | 0x10000).Empty());
    EXPECT_EQ(MaskToEvents(LineEventFlag::Rlsd | LineEventFlag::Ring),
              (TLineEvents{leRLSD, leRing}));
}

TEST_F(SerialNotifiersTest, ErrorFlagsBecomeLineErrors) {
    struct TCase {
        const char* Name;
        uint32_t Flags;
        TParity Parity;
        TLineErrors Expected;
    };
    using namespace LineErrorFlag;
    const TCase cases[] = {
        {"frame", Frame, paNone, {ceFrame}},
        {"parity while parity is off", RxParity, paNone, {}},
        {"parity with even parity", RxParity, paEven, {ceRxParity}},
        {"parity and frame while off", RxParity | Frame, paNone, {ceFrame}},
        {"every flag with odd parity",
         Frame | RxParity | Overrun | Break | IO | Mode | RxOver | TxFull,
         paOdd,
         {ceFrame, ceRxParity, ceOverrun, ceBreak, ceIO, ceMode, ceRxOver, ceTxFull}},
        {"flags that name no error", 0x40 | 0x80 | 0x2000 | 0x8000000, paEven, {}},
        {"nothing", 0, paNone, {}},
    };
    Port.SetOnError([this](TSerialPort&, TLineErrors e) { Log.push_back(Num(e.Bits())); });
    ASSERT_TRUE(Port.Open());
    for (const TCase& c : cases) {
        Log.clear();
        Port.SetParity(c.Parity);
        Driver->SetErrorFlags(c.Flags);
        TSerialPortInternals::NotifyLineEvent(Port, leError);
        if (c.Expected.Empty()) {
            EXPECT_THAT(Log, IsEmpty()) << c.Name;
        } else {
            EXPECT_THAT(Log, ElementsAre(Num(c.Expected.Bits()))) << c.Name;
        }
    }
}

TEST_F(SerialNotifiersTest, RxCharFiresOnlyWithBytesWaiting) {
    RecordEveryHandler();
    ASSERT_TRUE(Port.Open());
    TSerialPortInternals::NotifyLineEvent(Port, leRxChar);
    EXPECT_THAT(Log, IsEmpty()) << "the byte was already read";
    Driver->Feed("12345");
    TSerialPortInternals::NotifyLineEvent(Port, leRxChar);
    EXPECT_THAT(Log, ElementsAre("rx 5"));
    EXPECT_EQ(Driver->Pending(), 5u);
}

TEST_F(SerialNotifiersTest, FailedStatusQueriesRaiseOnlyWhereTheQueryIsMade) {
    struct TCase {
        const char* Name;
        TLineEvent Event;
        bool WithHandler;
        const char* FailingCall;
        std::string Expected;
    };
    const std::string none = "(nothing raised)";
    const TCase cases[] = {
        {"input count", leRxChar, false, "ClearCommError", SerialMessage::ClearCommError},
        {"error status", leError, false, "ClearCommError", SerialMessage::ClearCommError},
        {"CTS with a handler", leCTS, true, "GetCommModemStatus",
         SerialMessage::GetCommModemStatus},
        {"DSR with a handler", leDSR, true, "GetCommModemStatus",
         SerialMessage::GetCommModemStatus},
        {"RLSD with a handler", leRLSD, true, "GetCommModemStatus",
         SerialMessage::GetCommModemStatus},
        {"RLSD without a handler", leRLSD, false, "GetCommModemStatus", none},
    };
    ASSERT_TRUE(Port.Open());
    for (const TCase& c : cases) {
        const TLineSignalEvent handler = [](TSerialPort&, bool) {};
        Port.SetOnCTSChange(c.WithHandler ? handler : nullptr);
        Port.SetOnDSRChange(c.WithHandler ? handler : nullptr);
        Port.SetOnRLSDChange(c.WithHandler ? handler : nullptr);
        Driver->FailNext(c.FailingCall);
        EXPECT_EQ(FailureOf([&] { TSerialPortInternals::NotifyLineEvent(Port, c.Event); }),
                  c.Expected)
            << c.Name;
        Driver->ClearCalls();
        EXPECT_EQ(FailureOf([&] { TSerialPortInternals::NotifyLineEvent(Port, c.Event); }), none)
            << c.Name << ", failure used up";
    }
}

TEST_F(SerialNotifiersTest, WindowMessagesCallTheNotifierOfTheirCode) {
    struct TCase {
        uintptr_t Code;
        std::vector<std::string> Expected;
    };
    const TCase cases[] = {
        {1, {"rx 2"}},    {4, {"txempty"}},   {8, {"cts 1"}},  {16, {"dsr 0"}},
        {32, {"rlsd 1"}}, {128, {"error 1"}}, {256, {"ring"}}, {1024, {"rx80full"}},
        {2, {}},          {1 | 8, {}},        {0, {}},
    };
    RecordEveryHandler();
    Port.SetSyncMethod(smWindowSync);
    ASSERT_TRUE(Port.Open());
    Driver->Feed("ab");
    Driver->SetModemStatus(SerialCode::ModemCtsOn | SerialCode::ModemRlsdOn);
    for (const TCase& c : cases) {
        Log.clear();
        Driver->SetErrorFlags(LineErrorFlag::Frame);
        EXPECT_EQ(Proc({kLineEventMessage, c.Code, 0}), 0);
        EXPECT_EQ(Log, c.Expected) << "code " << c.Code;
    }
    Log.clear();
    EXPECT_EQ(Proc({kLineEventMessage - 1, 1, 0}), 0);
    EXPECT_THAT(Log, IsEmpty()) << "another message goes to the default procedure";
    Port.Close();
    EXPECT_EQ(Proc({kLineEventMessage, 1, 0}), 0);
    EXPECT_THAT(Log, IsEmpty()) << "a message after Close is dropped";
}

TEST_F(SerialNotifiersTest, TheWindowProcedureHandsExceptionsOnAndReturns) {
    std::vector<std::string> shown;
    Port.SetWindowExceptionHandler([&](std::exception_ptr failure) {
        try {
            std::rethrow_exception(failure);
        } catch (const ESerialPort& e) {
            shown.push_back(e.what());
        }
    });
    Port.SetSyncMethod(smWindowSync);
    ASSERT_TRUE(Port.Open());
    Driver->FailNext("ClearCommError");
    EXPECT_EQ(Proc({kLineEventMessage, LineEventFlag::Err, 0}), 0);
    EXPECT_THAT(shown, ElementsAre(SerialMessage::ClearCommError));
}

}  // namespace
