#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>
// The printer API's macro would rename TSerialPort::SetPort.
#undef SetPort

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "serial/PortList.h"
#include "serial/SerialPort.h"
#include "serial/SerialPortInternals.h"
#include "serial/win32/RegistryPortSource.h"
#include "tests/serial/SerialTestSupport.h"
#include "tests/serial/monitor/MonitorProbe.h"

using ::testing::Contains;
using ::testing::HasSubstr;

namespace {

// The COM ports the Windows test stage maps: one onto the pseudo-terminal of a simulated panel, one
// that the system refuses to open with "access denied". A run without them fails rather than
// passing on nothing.
std::string PortFromEnvironment(const char* name) {
    const char* port = std::getenv(name);
    return port != nullptr ? port : "";
}

std::string PanelPort() {
    return PortFromEnvironment("IRVEN_WINE_COM_PORT");
}

std::string DeniedPort() {
    return PortFromEnvironment("IRVEN_WINE_DENIED_COM_PORT");
}

std::string RouteName(const ::testing::TestParamInfo<TSyncMethod>& info) {
    const char* const names[] = {"ThreadSync", "WindowSync", "None"};
    return names[info.param];
}

class Win32PanelPortTest : public ::testing::TestWithParam<TSyncMethod> {
  protected:
    void SetUp() override {
        ASSERT_FALSE(PanelPort().empty()) << "IRVEN_WINE_COM_PORT names no COM port";
        Port.SetPort(PanelPort());
        Port.SetBaudRate(br115200);
        Port.SetSyncMethod(GetParam());
        Port.SetSyncWakeup(Probe.Waker());
    }

    TMonitorProbe Probe;
    TSerialPort Port;
};

// The panel's answer to a query arrives as line events on every route, and the overlapped read
// then takes it whole.
TEST_P(Win32PanelPortTest, AQueryIsAnsweredThroughTheLineEvents) {
    int32_t announced = 0;
    Port.SetOnRxChar([&](TSerialPort&, int32_t count) {
        Probe.Record("rx");
        announced = count;
    });
    ASSERT_TRUE(Port.Open());
    EXPECT_EQ(Port.WriteBytes("?S1;"), 4);
    ASSERT_TRUE(Probe.ServiceUntil(Port, [&] { return Probe.Count() > 0; }));
    EXPECT_GT(announced, 0);

    ByteString reply;
    ASSERT_TRUE(Probe.ServiceUntil(Port, [&] {
        ByteString piece;
        Port.ReadBytes(piece, 100);
        reply += piece;
        return reply == "192.0.2.10";
    })) << reply;
    EXPECT_TRUE(Port.Close());
    EXPECT_FALSE(Port.Connected());
}

// The monitor waits in WaitCommEvent with nothing coming; Close ends it and the port opens again.
TEST_P(Win32PanelPortTest, CloseEndsTheMonitorsWaitAndThePortOpensAgain) {
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(Port.Open());
        ASSERT_NE(TSerialPortInternals::Monitor(Port), nullptr);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(Port.Close());
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        EXPECT_EQ(TSerialPortInternals::Monitor(Port), nullptr);
        EXPECT_EQ(TSerialPortInternals::WindowHandle(Port), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Routes, Win32PanelPortTest,
                         ::testing::Values(smThreadSync, smWindowSync, smNone), RouteName);

// With nothing waiting, a read returns at once with nothing, as the link's fixed waits expect.
TEST(Win32SerialPort, AReadWithNothingWaitingReturnsNothingAtOnce) {
    TSerialPort port;
    port.SetPort(PanelPort());
    ASSERT_TRUE(port.Open());
    ByteString data = "stale";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(port.ReadBytes(data, 100), 0);
    EXPECT_EQ(data, "");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(port.BytesWaiting(), 0);
}

// Windows refuses a port that another program holds with "access denied"; Wine does not keep
// device opens exclusive, so the refused port here is one whose device cannot be opened at all.
TEST(Win32SerialPort, OpenFailuresNameTheirCause) {
    ASSERT_FALSE(DeniedPort().empty()) << "IRVEN_WINE_DENIED_COM_PORT names no COM port";
    struct TCase {
        std::string Port;
        const char* Message;
    };
    const TCase cases[] = {
        {DeniedPort(), "Порт зайнятий іншою програмою"},
        {"COM29", "Спроба відкрити неіснуючий СОМ-порт"},
    };
    for (const TCase& c : cases) {
        TSerialPort port;
        port.SetPort(c.Port);
        EXPECT_EQ(FailureOf([&] { port.Open(); }), c.Message) << c.Port;
        EXPECT_FALSE(port.Connected());
        EXPECT_EQ(TSerialPortInternals::Handle(port), nullptr);
    }
}

// Wine publishes its COM ports in the registry as Windows does.
TEST(Win32PortList, TheRegistryListsThePanelsPortSorted) {
    std::vector<std::string> ports{"stale"};
    ListSerialPorts(ports);
    EXPECT_THAT(ports, Contains(PanelPort()));
    std::vector<std::string> sorted = ports;
    SortPortNames(sorted);
    EXPECT_EQ(ports, sorted);
}

// A key of the test's own under HKEY_CURRENT_USER stands in for the serial device map.
class Win32RegistryKey {
  public:
    Win32RegistryKey() { ::RegDeleteTreeA(HKEY_CURRENT_USER, kPath); }
    ~Win32RegistryKey() { ::RegDeleteTreeA(HKEY_CURRENT_USER, kPath); }
    void Add(const std::string& name, const std::string& data) {
        ::RegSetKeyValueA(HKEY_CURRENT_USER, kPath, name.c_str(), REG_SZ, data.c_str(),
                          static_cast<DWORD>(data.size() + 1));
    }

    static constexpr const char* kPath = "Software\\IrvenTests\\SERIALCOMM";
};

// A machine that has never had a serial port has no key at all: that is an empty list. A key that
// is there but cannot be read whole still fails.
TEST(Win32PortList, TheRegistryKeyIsListedOrItsAbsenceIsNoPorts) {
    const std::string tooLong(300, 'C');
    const struct {
        std::vector<std::pair<std::string, std::string>> Values;  // none: no key
        std::vector<std::string> Expected;
        const char* Failure;
    } cases[] = {
        {{}, {}, "(nothing raised)"},
        {{{"\\Device\\Serial0", "COM3"}, {"a", "com1"}, {"b", "COM10"}, {"c", "COM1"}},
         {"com1", "COM1", "COM10", "COM3"},
         "(nothing raised)"},
        {{{"a", "COM1"}, {"b", tooLong}}, {"stale"}, "Помилка звернення до системного реєстру"},
    };
    for (const auto& c : cases) {
        Win32RegistryKey key;
        for (const auto& [name, data] : c.Values) {
            key.Add(name, data);
        }
        std::vector<std::string> ports{"stale"};
        EXPECT_EQ(FailureOf([&] {
                      ListSerialPorts(
                          ports, TRegistryPortSource(HKEY_CURRENT_USER, Win32RegistryKey::kPath));
                  }),
                  c.Failure);
        EXPECT_EQ(ports, c.Expected);
    }
}

// Whatever the device table holds under Wine, listing with descriptions does not fail.
TEST(Win32PortList, DescriptionsNeverFailTheListing) {
    std::vector<TPortEntry> entries;
    ASSERT_NO_THROW(entries = ListSerialPortEntries());
    EXPECT_FALSE(entries.empty());
}

}  // namespace
