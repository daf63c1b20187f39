#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "serial/SerialPort.h"
#include "serial/SerialPortInternals.h"
#include "serial/monitor/LineEvents.h"
#include "testing/FakeSerialDriver.h"
#include "tests/serial/DeviceErrors.h"
#include "tests/serial/SerialTestSupport.h"
#include "tests/serial/monitor/MonitorProbe.h"

using ::testing::ElementsAre;

namespace {

std::string RouteName(const ::testing::TestParamInfo<TSyncMethod>& info) {
    switch (info.param) {
        case smThreadSync:
            return "ThreadSync";
        case smWindowSync:
            return "WindowSync";
        case smNone:
            return "None";
    }
    return "Unknown";
}

// The monitor over the recording fake, on each delivery route.
class LineMonitorTest : public ::testing::TestWithParam<TSyncMethod> {
  protected:
    void SetUp() override {
        Driver->OnLineWait = Probe.Waker();
        Port.SetSyncWakeup(Probe.Waker());
        Port.SetSyncMethod(GetParam());
    }

    void Open() {
        const int waits = Driver->State().LineWaits;
        ASSERT_TRUE(Port.Open());
        ASSERT_TRUE(
            Probe.ServiceUntil(Port, [&] { return Driver->State().LineWaits == waits + 1; }));
    }

    // Raises the events and runs the deliveries until the monitor waits again.
    bool Deliver(uint32_t mask) {
        const int next = Driver->State().LineWaits + 1;
        Driver->RaiseLineEvents(mask);
        return Probe.ServiceUntil(Port, [&] { return Driver->State().LineWaits >= next; });
    }

    int CallsNamed(const std::string& name) const {
        const std::vector<std::string> calls = Driver->State().Calls;
        return static_cast<int>(std::count(calls.begin(), calls.end(), name));
    }

    void RecordRxChar() {
        Port.SetOnRxChar(
            [this](TSerialPort&, int32_t count) { Probe.Record("rx " + std::to_string(count)); });
    }

    std::shared_ptr<TFakeSerialDriver> Driver = std::make_shared<TFakeSerialDriver>();
    TMonitorProbe Probe;
    TSerialPort Port{Driver};
};

TEST_P(LineMonitorTest, ExistsExactlyWhileThePortIsOpen) {
    EXPECT_EQ(TSerialPortInternals::Monitor(Port), nullptr);
    Open();
    EXPECT_NE(TSerialPortInternals::Monitor(Port), nullptr);
    EXPECT_EQ(TSerialPortInternals::WindowHandle(Port) != nullptr, GetParam() == smWindowSync);
    Port.Close();
    EXPECT_EQ(TSerialPortInternals::Monitor(Port), nullptr);
    EXPECT_EQ(TSerialPortInternals::WindowHandle(Port), nullptr);
    Open();
    EXPECT_EQ(Driver->State().LineWaits, 2) << "every Open starts a new monitor";
}

TEST_P(LineMonitorTest, DeliversTheErrorBeforeTheDataOfTheSameWait) {
    Port.SetOnError([this](TSerialPort&, TLineErrors errors) {
        Probe.Record("error " + std::to_string(errors.Bits()));
    });
    RecordRxChar();
    Open();
    Driver->SetErrorFlags(LineErrorFlag::Frame | LineErrorFlag::Overrun);
    Driver->Feed("abc");
    ASSERT_TRUE(Deliver(LineEventFlag::RxChar | LineEventFlag::Err));
    const uint32_t frameAndOverrun = TLineErrors{ceFrame, ceOverrun}.Bits();
    EXPECT_THAT(Probe.Log(), ElementsAre("error " + std::to_string(frameAndOverrun), "rx 3"));
}

TEST_P(LineMonitorTest, DeliversEachWaitsEventsInTheFixedOrder) {
    Port.SetOnRx80Full([this](TSerialPort&) { Probe.Record("rx80full"); });
    Port.SetOnRLSDChange([this](TSerialPort&, bool on) { Probe.Record(on ? "rlsd on" : "rlsd"); });
    Port.SetOnDSRChange([this](TSerialPort&, bool on) { Probe.Record(on ? "dsr on" : "dsr"); });
    Port.SetOnCTSChange([this](TSerialPort&, bool on) { Probe.Record(on ? "cts on" : "cts"); });
    Port.SetOnRing([this](TSerialPort&) { Probe.Record("ring"); });
    Port.SetOnTxEmpty([this](TSerialPort&) { Probe.Record("txempty"); });
    RecordRxChar();
    Open();
    Driver->SetModemStatus(SerialCode::ModemCtsOn | SerialCode::ModemRlsdOn);
    Driver->Feed("z");
    ASSERT_TRUE(Deliver(0x5BD));
    EXPECT_THAT(Probe.Log(),
                ElementsAre("rx 1", "txempty", "ring", "cts on", "dsr", "rlsd on", "rx80full"));
}

TEST_P(LineMonitorTest, WithoutHandlersEveryWaitStillQueriesItsStatus) {
    Open();
    Driver->Feed("data");
    struct TCase {
        uint32_t Mask;
        int InputCountQueries;
    };
    const TCase cases[] = {
        {LineEventFlag::RxChar, 1},
        {LineEventFlag::RxChar, 1},
        {LineEventFlag::Err, 1},
        {LineEventFlag::Err | LineEventFlag::RxChar, 2},
        {LineEventFlag::Cts | LineEventFlag::Dsr | LineEventFlag::Rlsd | LineEventFlag::Ring, 0},
        {LineEventFlag::TxEmpty | LineEventFlag::Rx80Full, 0},
    };
    for (const TCase& c : cases) {
        Driver->ClearCalls();
        ASSERT_TRUE(Deliver(c.Mask));
        EXPECT_EQ(CallsNamed("ClearCommError"), c.InputCountQueries) << "mask " << c.Mask;
        EXPECT_EQ(CallsNamed("GetCommModemStatus"), 0) << "mask " << c.Mask;
    }
    EXPECT_EQ(Driver->Pending(), 4u) << "the notifiers read nothing";
}

TEST_P(LineMonitorTest, ClosingWhileADeliveryWaitsCompletes) {
    RecordRxChar();
    Port.SetSyncWakeup([this] { Probe.Record("posted"); });
    Open();
    Driver->Feed("late");
    Driver->RaiseLineEvents(LineEventFlag::RxChar);
    ASSERT_TRUE(Probe.Await([this] { return Probe.Count() == 1; }));
    EXPECT_TRUE(Port.Close());
    EXPECT_FALSE(Port.Connected());
    EXPECT_FALSE(Driver->State().Open);
    if (GetParam() == smNone) {
        EXPECT_THAT(Probe.Log(), ElementsAre("rx 4"));
    } else {
        // Close ran the delivery that was waiting for the GUI thread.
        EXPECT_THAT(Probe.Log(), ElementsAre("posted", "rx 4"));
    }
}

TEST_P(LineMonitorTest, AHandlerMayCloseThePort) {
    if (GetParam() == smNone) {
        GTEST_SKIP() << "handlers on the monitor thread cannot wait for it";
    }
    Port.SetOnRxChar([this](TSerialPort& sender, int32_t) {
        sender.Close();
        Probe.Record("closed");
    });
    Port.SetOnError([this](TSerialPort&, TLineErrors) { Probe.Record("error"); });
    Open();
    Driver->Feed("x");
    Driver->SetErrorFlags(LineErrorFlag::Frame);
    Driver->RaiseLineEvents(LineEventFlag::RxChar | LineEventFlag::Err | LineEventFlag::Cts);
    ASSERT_TRUE(Probe.ServiceUntil(Port, [this] { return Probe.Count() == 2; }));
    EXPECT_FALSE(Port.Connected());
    EXPECT_FALSE(Driver->State().Open);
    EXPECT_THAT(Probe.Log(), ElementsAre("error", "closed"));
}

TEST_P(LineMonitorTest, AHandlersExceptionEndsTheMonitorOnlyOnTheThreadRoutes) {
    Port.SetOnRxChar([this](TSerialPort&, int32_t count) {
        Probe.Record("rx " + std::to_string(count));
        throw std::runtime_error("handler failed");
    });
    Port.SetWindowExceptionHandler([this](std::exception_ptr failure) {
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& e) {
            Probe.Record(std::string("shown: ") + e.what());
        }
    });
    Open();
    Driver->Feed("ab");
    Driver->RaiseLineEvents(LineEventFlag::RxChar);
    const bool windowRoute = GetParam() == smWindowSync;
    // On the window route the monitor goes on and waits again.
    ASSERT_TRUE(Probe.ServiceUntil(Port, [&] {
        return windowRoute ? Probe.Count() == 2 && Driver->State().LineWaits == 2
                           : Probe.Count() == 1;
    }));

    Driver->Feed("c");
    if (windowRoute) {
        ASSERT_TRUE(Deliver(LineEventFlag::RxChar));
        EXPECT_THAT(Probe.Log(),
                    ElementsAre("rx 2", "shown: handler failed", "rx 3", "shown: handler failed"));
    } else {
        Driver->RaiseLineEvents(LineEventFlag::RxChar);
    }

    // Whatever ended, the port keeps working.
    EXPECT_EQ(Port.WriteBytes("ping"), 4);
    ByteString read;
    EXPECT_EQ(Port.ReadBytes(read, 10), 3);
    EXPECT_EQ(read, "abc");
    EXPECT_TRUE(Port.Close());
    if (!windowRoute) {
        EXPECT_EQ(Driver->State().LineWaits, 1) << "an ended monitor waits no more";
        EXPECT_THAT(Probe.Log(), ElementsAre("rx 2"));
    }
}

// A pulled adapter whose driver ends every wait without a result: the monitor ends at once when the
// device has vanished, and after a few such waits when it cannot tell; it never spins. A vanished
// device is told once to the owner's hook, on the GUI thread whatever the route, and the hook may
// close the port; otherwise the owner hears nothing and closes the port without an error.
TEST_P(LineMonitorTest, WaitsThatKeepEndingWithoutAResultEndTheMonitor) {
    struct TCase {
        std::string Name;
        std::function<void(TFakeSerialDriver&)> Arrange;
        int Waits;
        bool Vanished;
    };
    std::vector<TCase> cases = {{"hang-up", [](TFakeSerialDriver& d) { d.HangUp(); }, 1, true}};
    for (const TDeviceError& error : PlatformDeviceErrors()) {
        cases.push_back({error.Name, [code = error.Code](auto& d) { d.FailEveryCall(code); },
                         error.Removal ? 1 : 8, error.Removal});
    }
    // Last: Close may stop the last of its waits before that wait takes its failure.
    cases.push_back(
        {"no result", [](TFakeSerialDriver& d) { d.FailNext("WaitLineEvents", 8); }, 8, false});
    const std::thread::id guiThread = std::this_thread::get_id();
    int notices = 0;
    Port.SetOnDeviceVanished([&] {
        ++notices;
        EXPECT_EQ(std::this_thread::get_id(), guiThread);
        EXPECT_TRUE(Port.Close());
    });
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        notices = 0;
        const int before = Driver->State().LineWaits;
        Open();
        c.Arrange(*Driver);
        ASSERT_TRUE(Probe.ServiceUntil(Port, [&] {
            return Driver->State().LineWaits == before + c.Waits && notices == (c.Vanished ? 1 : 0);
        }));
        EXPECT_EQ(Port.Connected(), !c.Vanished);
        FailureOf([&] { Port.Close(); });
        EXPECT_FALSE(Driver->State().Open);
        EXPECT_EQ(Port.DeviceVanished(), c.Vanished);
        EXPECT_EQ(notices, c.Vanished ? 1 : 0);
        EXPECT_EQ(Driver->State().LineWaits, before + c.Waits);
        Driver->Reconnect();
    }
}

// The owner closed the port before it took the notice, which is then no news to it.
TEST_P(LineMonitorTest, ACloseBeforeTheVanishNoticeDropsIt) {
    int notices = 0;
    Port.SetOnDeviceVanished([&] { ++notices; });
    Open();
    Driver->HangUp();
    ASSERT_TRUE(Probe.Await([&] { return Driver->State().LineWaits == 1; }));
    EXPECT_TRUE(Port.Close());
    EXPECT_TRUE(Port.DeviceVanished());
    Port.ServiceSyncCalls();
    EXPECT_EQ(notices, 0);
}

INSTANTIATE_TEST_SUITE_P(Routes, LineMonitorTest,
                         ::testing::Values(smThreadSync, smWindowSync, smNone), RouteName);

}  // namespace
