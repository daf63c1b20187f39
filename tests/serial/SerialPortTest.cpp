#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>

#include "serial/SerialPort.h"
#include "testing/FakeSerialDriver.h"
#include "tests/serial/SerialTestSupport.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Calls = std::vector<std::string>;

namespace {

class SerialPortTest : public ::testing::Test {
  protected:
    void OpenQuietly() {
        Port.Open();
        Driver->ClearCalls();
    }

    std::shared_ptr<TFakeSerialDriver> Driver = std::make_shared<TFakeSerialDriver>();
    TSerialPort Port{Driver};
};

TEST_F(SerialPortTest, OpenAppliesQueuesLineAndTimeoutsThenWatchesEvents) {
    Port.SetPort("COM5");
    EXPECT_TRUE(Port.Open());
    EXPECT_TRUE(Port.Connected());
    EXPECT_THAT(Driver->State().Calls,
                ElementsAre("Open COM5", "SetupComm 2048 2048", "SetCommState 9600",
                            "SetCommTimeouts", "SetCommMask 1469"));
    EXPECT_TRUE(Driver->State().Dtr);
    EXPECT_TRUE(Driver->State().Rts);
}

TEST_F(SerialPortTest, DefaultControlBlockAndTimeouts) {
    Port.Open();
    const TSerialDcb dcb = Driver->State().Dcb;
    EXPECT_EQ(dcb.BaudRate, 9600u);
    EXPECT_EQ(dcb.Flags, 4113u);
    EXPECT_EQ(dcb.XonLim, 0);
    EXPECT_EQ(dcb.XoffLim, 0);
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.Parity, 0);
    EXPECT_EQ(dcb.StopBits, 0);
    EXPECT_EQ(dcb.XonChar, 17);
    EXPECT_EQ(dcb.XoffChar, 19);
    EXPECT_EQ(dcb.ErrorChar + dcb.EofChar + dcb.EvtChar, 0);
    EXPECT_EQ(Driver->State().Timeouts, (TCommTimeouts{0xFFFFFFFF, 0, 0, 100, 1000}));
}

TEST_F(SerialPortTest, CloseDropsLinesAbortsDiscardsInputAndReleases) {
    OpenQuietly();
    Driver->Feed("unread");
    EXPECT_TRUE(Port.Close());
    EXPECT_FALSE(Port.Connected());
    EXPECT_THAT(Driver->State().Calls,
                ElementsAre("EscapeCommFunction 6", "EscapeCommFunction 4", "PurgeComm 3",
                            "SetCommMask 0", "PurgeComm 12", "Close"));
    EXPECT_FALSE(Driver->State().Dtr);
    EXPECT_FALSE(Driver->State().Rts);
    EXPECT_EQ(Driver->Pending(), 0u);
    EXPECT_FALSE(Driver->State().Open);
}

TEST_F(SerialPortTest, OpenWhenOpenAndCloseWhenClosedTouchNothing) {
    EXPECT_TRUE(Port.Close());
    OpenQuietly();
    EXPECT_TRUE(Port.Open());
    EXPECT_TRUE(Driver->State().Calls.empty());
    Port.Close();
    Driver->ClearCalls();
    EXPECT_TRUE(Port.Close());
    EXPECT_TRUE(Driver->State().Calls.empty());
}

TEST_F(SerialPortTest, DestroyingAnOpenPortClosesIt) {
    {
        TSerialPort port(Driver);
        port.Open();
    }
    EXPECT_FALSE(Driver->State().Open);
    EXPECT_FALSE(Driver->State().Dtr);
}

struct TLineCase {
    TParity Parity;
    TByteSize ByteSize;
    TStopBits StopBits;
    uint32_t Flags;
    uint8_t DataBits;
};

class ControlBlockTest : public SerialPortTest, public ::testing::WithParamInterface<TLineCase> {};

TEST_P(ControlBlockTest, FlagsAndCodesFollowTheSettings) {
    const TLineCase& line = GetParam();
    Port.SetParity(line.Parity);
    Port.SetByteSize(line.ByteSize);
    Port.SetStopBits(line.StopBits);
    Port.Open();
    const TSerialDcb dcb = Driver->State().Dcb;
    EXPECT_EQ(dcb.Flags, line.Flags);
    EXPECT_EQ(dcb.Parity, line.Parity);
    EXPECT_EQ(dcb.ByteSize, line.DataBits);
    EXPECT_EQ(dcb.StopBits, line.StopBits);
}

INSTANTIATE_TEST_SUITE_P(Lines, ControlBlockTest,
                         ::testing::Values(TLineCase{paNone, bs8, sb1, 4113, 8},
                                           TLineCase{paOdd, bs7, sb2, 4115, 7},
                                           TLineCase{paEven, bs6, sb1, 4115, 6},
                                           TLineCase{paMark, bs5, sb1_5, 4115, 5},
                                           TLineCase{paSpace, bs8, sb1, 4115, 8}));

TEST_F(SerialPortTest, EveryRateReachesTheDriverAsBitsPerSecond) {
    const uint32_t rates[] = {110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                              19200, 38400, 56000, 57600, 115200, 128000, 256000};
    OpenQuietly();
    for (int ordinal = br110; ordinal <= br256000; ++ordinal) {
        Port.SetBaudRate(static_cast<TBaudRate>(ordinal));
        EXPECT_EQ(Driver->State().Dcb.BaudRate, rates[ordinal]) << ordinal;
    }
    EXPECT_EQ(BaudRateValue(static_cast<TBaudRate>(15)), 0u);
}

TEST_F(SerialPortTest, RateOutsideTheTableIsRefusedWithoutReachingTheDriver) {
    OpenQuietly();
    EXPECT_EQ(FailureOf([&] { Port.SetBaudRate(static_cast<TBaudRate>(15)); }),
              "Помилка функції SetCommState");
    EXPECT_TRUE(Driver->State().Calls.empty());
}

TEST_F(SerialPortTest, NegativeTimeoutsReachTheDriverAsMaxDword) {
    struct {
        int32_t Value;
        uint32_t Handed;
    } const cases[] = {{-1, 0xFFFFFFFF}, {-5, 0xFFFFFFFF}, {INT32_MIN, 0xFFFFFFFF},
                       {0, 0},           {250, 250},       {INT32_MAX, 0x7FFFFFFF}};
    OpenQuietly();
    for (const auto& c : cases) {
        TSerialTimeouts timeouts;
        timeouts.SetReadInterval(c.Value);
        timeouts.SetReadTotalMultiplier(c.Value);
        timeouts.SetReadTotalConstant(c.Value);
        timeouts.SetWriteTotalMultiplier(c.Value);
        timeouts.SetWriteTotalConstant(c.Value);
        Port.SetTimeouts(timeouts);
        EXPECT_EQ(Driver->State().Timeouts,
                  (TCommTimeouts{c.Handed, c.Handed, c.Handed, c.Handed, c.Handed}))
            << c.Value;
    }
}

TEST_F(SerialPortTest, OddPositiveQueueSizesAreStoredOneLower) {
    struct {
        int32_t Assigned;
        int32_t Held;
    } const cases[] = {{2049, 2048}, {4096, 4096}, {1, 0},
                       {0, 0},       {-3, -3},     {INT32_MAX, INT32_MAX - 1}};
    for (const auto& c : cases) {
        Port.SetInBufSize(c.Assigned);
        Port.SetOutBufSize(c.Assigned);
        EXPECT_EQ(Port.InBufSize(), c.Held) << c.Assigned;
        EXPECT_EQ(Port.OutBufSize(), c.Held) << c.Assigned;
    }
    Port.SetInBufSize(4097);
    Port.SetOutBufSize(1025);
    Port.Open();
    EXPECT_EQ(Driver->State().InQueueSize, 4096u);
    EXPECT_EQ(Driver->State().OutQueueSize, 1024u);
}

struct TSetterCase {
    const char* Name;
    std::function<void(TSerialPort&)> Change;
    std::function<void(TSerialPort&)> Same;
    const char* Applies;
};

const TSetterCase kSetters[] = {
    {"BaudRate", [](TSerialPort& p) { p.SetBaudRate(br115200); },
     [](TSerialPort& p) { p.SetBaudRate(br9600); }, "SetCommState 115200"},
    {"ByteSize", [](TSerialPort& p) { p.SetByteSize(bs7); },
     [](TSerialPort& p) { p.SetByteSize(bs8); }, "SetCommState 9600"},
    {"Parity", [](TSerialPort& p) { p.SetParity(paEven); },
     [](TSerialPort& p) { p.SetParity(paNone); }, "SetCommState 9600"},
    {"StopBits", [](TSerialPort& p) { p.SetStopBits(sb2); },
     [](TSerialPort& p) { p.SetStopBits(sb1); }, "SetCommState 9600"},
    {"InBufSize", [](TSerialPort& p) { p.SetInBufSize(4096); },
     [](TSerialPort& p) { p.SetInBufSize(2048); }, "SetupComm 4096 2048"},
    {"OutBufSize", [](TSerialPort& p) { p.SetOutBufSize(512); },
     [](TSerialPort& p) { p.SetOutBufSize(2048); }, "SetupComm 2048 512"},
    {"ReadInterval", [](TSerialPort& p) { p.Timeouts().SetReadInterval(10); },
     [](TSerialPort& p) { p.Timeouts().SetReadInterval(-1); }, "SetCommTimeouts"},
    {"WriteTotalConstant", [](TSerialPort& p) { p.Timeouts().SetWriteTotalConstant(5); },
     [](TSerialPort& p) { p.Timeouts().SetWriteTotalConstant(1000); }, "SetCommTimeouts"},
};

TEST_F(SerialPortTest, SettersApplyAtOnceOnlyWhileOpenAndOnlyWhenChanged) {
    for (const TSetterCase& setter : kSetters) {
        TSerialPort port(Driver);
        setter.Change(port);
        EXPECT_TRUE(Driver->State().Calls.empty()) << setter.Name << " applied while closed";
        setter.Same(port);
        port.Open();
        Driver->ClearCalls();
        setter.Same(port);
        EXPECT_TRUE(Driver->State().Calls.empty()) << setter.Name << " applied an unchanged value";
        setter.Change(port);
        EXPECT_THAT(Driver->State().Calls, ElementsAre(setter.Applies)) << setter.Name;
        port.Close();
        Driver->ClearCalls();
    }
}

TEST_F(SerialPortTest, SetTimeoutsAppliesEvenUnchangedValues) {
    OpenQuietly();
    Port.SetTimeouts(TSerialTimeouts(Port.Timeouts()));
    EXPECT_THAT(Driver->State().Calls, ElementsAre("SetCommTimeouts"));
}

TEST_F(SerialPortTest, RefusedSettingStaysStoredAndThePortStaysOpen) {
    OpenQuietly();
    Driver->FailNext("SetCommState");
    EXPECT_EQ(FailureOf([&] { Port.SetBaudRate(br57600); }), "Помилка функції SetCommState");
    EXPECT_EQ(Port.BaudRate(), br57600);
    EXPECT_TRUE(Port.Connected());
    EXPECT_EQ(Driver->State().Dcb.BaudRate, 9600u);
}

TEST_F(SerialPortTest, PortAndSyncMethodCannotChangeWhileOpen) {
    Port.SetPort("COM7");
    Port.SetSyncMethod(smNone);
    OpenQuietly();
    Port.SetPort("COM7");
    Port.SetSyncMethod(smNone);
    const char* refusal = "Неможна змінювати властивості, доки порт відкритий";
    EXPECT_EQ(FailureOf([&] { Port.SetPort("com7"); }), refusal);
    EXPECT_EQ(FailureOf([&] { Port.SetSyncMethod(smWindowSync); }), refusal);
    EXPECT_EQ(Port.Port(), "COM7");
    EXPECT_EQ(Port.SyncMethod(), smNone);
    EXPECT_TRUE(Driver->State().Calls.empty());
}

struct TOpenFailureCase {
    const char* Name;
    std::function<void(TFakeSerialDriver&)> Arrange;
    std::string Message;
};

class OpenFailureTest : public SerialPortTest,
                        public ::testing::WithParamInterface<TOpenFailureCase> {};

TEST_P(OpenFailureTest, RaisesItsMessageLeavesNothingOpenAndTheNextOpenWorks) {
    GetParam().Arrange(*Driver);
    EXPECT_THAT(FailureOf([&] { Port.Open(); }), HasSubstr(GetParam().Message));
    EXPECT_FALSE(Port.Connected());
    EXPECT_FALSE(Driver->State().Open);
    EXPECT_EQ(FailureOf([&] { Port.WriteBytes("x"); }), "Помилка запису в порт");
    EXPECT_TRUE(Port.Open());
    EXPECT_TRUE(Driver->State().Open);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, OpenFailureTest,
    ::testing::Values(
        TOpenFailureCase{"Missing",
                         [](TFakeSerialDriver& d) { d.FailNextOpen(TOpenOutcome::ooNotFound); },
                         "Спроба відкрити неіснуючий СОМ-порт"},
        TOpenFailureCase{"Busy", [](TFakeSerialDriver& d) { d.FailNextOpen(TOpenOutcome::ooBusy); },
                         "Порт зайнятий іншою програмою"},
        TOpenFailureCase{
            "NoPermission",
            [](TFakeSerialDriver& d) { d.FailNextOpen(TOpenOutcome::ooNoPermission, "dialout"); },
            "пристрій належить групі «dialout». Додайте свого користувача до цієї групи "
            "(sudo usermod -aG dialout $USER)"},
        TOpenFailureCase{"NoPermissionUnknownGroup",
                         [](TFakeSerialDriver& d) { d.FailNextOpen(TOpenOutcome::ooNoPermission); },
                         "Немає прав доступу до порту"},
        TOpenFailureCase{"OtherOpenFailure", [](TFakeSerialDriver& d) { d.FailNext("Open"); },
                         "Помилка функції SetupComm"},
        TOpenFailureCase{"SetupComm", [](TFakeSerialDriver& d) { d.FailNext("SetupComm"); },
                         "Помилка функції SetupComm"},
        TOpenFailureCase{"SetCommState", [](TFakeSerialDriver& d) { d.FailNext("SetCommState"); },
                         "Помилка функції SetCommState"},
        TOpenFailureCase{"SetCommTimeouts",
                         [](TFakeSerialDriver& d) { d.FailNext("SetCommTimeouts"); },
                         "Помилка функції SetCommTimeouts"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SerialPortTest, SecondComponentOnAHeldPortIsRefused) {
    OpenQuietly();
    TSerialPort second(Driver);
    EXPECT_EQ(FailureOf([&] { second.Open(); }), "Порт зайнятий іншою програмою");
    EXPECT_TRUE(Port.Connected());
}

struct TCloseFailureCase {
    const char* Name;
    std::function<void(TFakeSerialDriver&)> Arrange;
    const char* Message;
};

class CloseFailureTest : public SerialPortTest,
                         public ::testing::WithParamInterface<TCloseFailureCase> {};

TEST_P(CloseFailureTest, EndsClosedAndReleasedBeforeReporting) {
    OpenQuietly();
    GetParam().Arrange(*Driver);
    EXPECT_EQ(FailureOf([&] { Port.Close(); }), GetParam().Message);
    EXPECT_FALSE(Port.Connected());
    EXPECT_FALSE(Driver->State().Open);
    EXPECT_EQ(Driver->State().Calls.back(), "Close");
    EXPECT_TRUE(Port.Close());
    Driver->Reconnect();
    EXPECT_TRUE(Port.Open());
}

INSTANTIATE_TEST_SUITE_P(
    Messages, CloseFailureTest,
    ::testing::Values(
        TCloseFailureCase{"DropDtr", [](TFakeSerialDriver& d) { d.FailNext("EscapeCommFunction"); },
                          "Помилка функції EscapeCommFunction"},
        TCloseFailureCase{"Purge", [](TFakeSerialDriver& d) { d.FailNext("PurgeComm"); },
                          "Помилка функції PurgeComm"},
        TCloseFailureCase{"PulledCableIsNoFailure", [](TFakeSerialDriver& d) { d.HangUp(); },
                          "(nothing raised)"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SerialPortTest, FailedDtrDropStillDropsRtsAndAborts) {
    OpenQuietly();
    Driver->FailNext("EscapeCommFunction");
    FailureOf([&] { Port.Close(); });
    EXPECT_THAT(Driver->State().Calls,
                ElementsAre("EscapeCommFunction 6", "EscapeCommFunction 4", "PurgeComm 3",
                            "SetCommMask 0", "PurgeComm 12", "Close"));
    EXPECT_FALSE(Driver->State().Rts);
}

}  // namespace
