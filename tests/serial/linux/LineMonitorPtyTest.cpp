#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "serial/SerialPort.h"
#include "tests/serial/linux/PseudoTerminal.h"
#include "tests/serial/monitor/MonitorProbe.h"

using ::testing::ElementsAre;

namespace {

// The monitor over the Linux driver, with the test playing the panel on a pseudo-terminal.
class LineMonitorPtyTest : public ::testing::TestWithParam<TSyncMethod> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Line.Valid());
        Port.SetPort(Line.SlavePath());
        Port.SetSyncMethod(GetParam());
        Port.SetSyncWakeup(Probe.Waker());
        Port.SetOnRxChar(
            [this](TSerialPort&, int32_t count) { Probe.Record("rx " + std::to_string(count)); });
    }

    bool AwaitLog(size_t count) {
        return Probe.ServiceUntil(Port, [&] { return Probe.Count() >= count; });
    }

    TPseudoTerminal Line;
    TMonitorProbe Probe;
    TSerialPort Port;
};

TEST_P(LineMonitorPtyTest, ReportsEachArrivalOnceAndNotTheDataThatWaits) {
    ASSERT_TRUE(Port.Open());
    Line.Send("abc");
    ASSERT_TRUE(AwaitLog(1));
    Line.Send("de");
    ASSERT_TRUE(AwaitLog(2));
    EXPECT_THAT(Probe.Log(), ElementsAre("rx 3", "rx 5"));
    ByteString read;
    EXPECT_EQ(Port.ReadBytes(read, 100), 5);
}

TEST_P(LineMonitorPtyTest, ReportsTheOutputQueueEmptiedAfterAWrite) {
    Port.SetOnTxEmpty([this](TSerialPort&) { Probe.Record("txempty"); });
    ASSERT_TRUE(Port.Open());
    EXPECT_EQ(Port.WriteBytes("?S1;"), 4);
    ASSERT_TRUE(AwaitLog(1));
    EXPECT_THAT(Probe.Log(), ElementsAre("txempty"));
    EXPECT_EQ(Line.Receive(4), "?S1;");
}

// Idle or under a read, a hang-up reaches the owner's hook once and no line-event handler; the
// hook closes the port, which lets go of the terminal.
TEST_P(LineMonitorPtyTest, AHangUpTellsTheOwnerWhoClosesThePort) {
    for (const bool reading : {false, true}) {
        SCOPED_TRACE(reading ? "reading" : "idle");
        TPseudoTerminal line;
        ASSERT_TRUE(line.Valid());
        Port.SetPort(line.SlavePath());
        Port.SetOnDeviceVanished([this] {
            Probe.Record("vanished");
            EXPECT_TRUE(Port.Close());
        });
        ASSERT_TRUE(Port.Open());
        ASSERT_EQ(line.SlaveDescriptors(), 2);
        line.CloseMaster();
        if (reading) {
            ByteString str;
            EXPECT_THROW(Port.ReadBytes(str, 100), ESerialPort);
            EXPECT_TRUE(Port.DeviceVanished());
        }
        ASSERT_TRUE(Probe.ServiceUntil(Port, [&] { return !Port.Connected(); }));
        EXPECT_TRUE(Port.DeviceVanished());
        EXPECT_EQ(line.SlaveDescriptors(), 1);
        Port.ServiceSyncCalls();
        EXPECT_EQ(Probe.Count(), reading ? 2u : 1u);
    }
    EXPECT_THAT(Probe.Log(), ElementsAre("vanished", "vanished"));
}

std::string RouteName(const ::testing::TestParamInfo<TSyncMethod>& info) {
    const char* names[] = {"ThreadSync", "WindowSync", "None"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(Routes, LineMonitorPtyTest,
                         ::testing::Values(smThreadSync, smWindowSync, smNone), RouteName);

class LineMonitorPtyThreadSyncTest : public LineMonitorPtyTest {};

TEST_P(LineMonitorPtyThreadSyncTest, ClosingWhileADeliveryWaitsDiscardsTheUnreadInput) {
    Port.SetSyncWakeup([this] { Probe.Record("posted"); });
    ASSERT_TRUE(Port.Open());
    Line.Send("late");
    ASSERT_TRUE(Probe.Await([this] { return Probe.Count() == 1; }));
    EXPECT_TRUE(Port.Close());
    EXPECT_THAT(Probe.Log(), ElementsAre("posted", "rx 4"));
    int waiting = -1;
    ::ioctl(Line.Slave(), FIONREAD, &waiting);
    EXPECT_EQ(waiting, 0);
}

TEST_P(LineMonitorPtyThreadSyncTest, ThePortKeepsTransferringAfterAHandlerEndedTheMonitor) {
    Port.SetOnRxChar([this](TSerialPort&, int32_t count) {
        Probe.Record("rx " + std::to_string(count));
        throw std::runtime_error("handler failed");
    });
    ASSERT_TRUE(Port.Open());
    Line.Send("a");
    ASSERT_TRUE(AwaitLog(1));
    EXPECT_EQ(Port.WriteBytes("!WR;"), 4);
    EXPECT_EQ(Line.Receive(4), "!WR;");
    Line.Send("b");
    ASSERT_TRUE(Line.AwaitInput(2));
    ByteString read;
    EXPECT_EQ(Port.ReadBytes(read, 100), 2);
    EXPECT_EQ(read, "ab");
    EXPECT_TRUE(Port.Close());
    EXPECT_THAT(Probe.Log(), ElementsAre("rx 1"));
}

INSTANTIATE_TEST_SUITE_P(Route, LineMonitorPtyThreadSyncTest, ::testing::Values(smThreadSync),
                         RouteName);

}  // namespace
