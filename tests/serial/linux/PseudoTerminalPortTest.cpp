#include <gtest/gtest.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>

#include <grp.h>
#include <cerrno>
#include <chrono>
#include <cstdio>

#include "serial/SerialPort.h"
#include "serial/SerialPortInternals.h"
#include "serial/linux/LinuxLineSettings.h"
#include "serial/linux/LinuxSerialDevice.h"
#include "serial/linux/LinuxSerialDriver.h"
#include "tests/serial/SerialTestSupport.h"
#include "tests/serial/linux/PseudoTerminal.h"

namespace {

class PseudoTerminalPortTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Line.Valid());
        Port.SetPort(Line.SlavePath());
        Port.SetBaudRate(br115200);
        ASSERT_TRUE(Port.Open());
    }

    TPseudoTerminal Line;
    TSerialPort Port;
};

TEST_F(PseudoTerminalPortTest, ReadsWhatHasArrivedAndNeverWaits) {
    ByteString str = "stale";
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(Port.ReadBytes(str, 100), 0);
    EXPECT_EQ(str, "");
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(100));

    Line.Send(ByteString("OK\0\r\n7\xFF", 7));
    ASSERT_TRUE(Line.AwaitInput(7));
    EXPECT_EQ(Port.BytesWaiting(), 7);
    EXPECT_EQ(Port.ReadBytes(str, 100), 7);
    EXPECT_EQ(str, ByteString("OK\0\r\n7\xFF", 7));

    ByteString journal(150, '\0');
    for (size_t i = 0; i < journal.size(); ++i) {
        journal[i] = static_cast<char>(i);
    }
    Line.Send(journal);
    ASSERT_TRUE(Line.AwaitInput(150));
    EXPECT_EQ(Port.ReadBytes(str, 100), 100);
    EXPECT_EQ(str, journal.substr(0, 100));
    EXPECT_EQ(Port.ReadBytes(str, 100), 50);
    EXPECT_EQ(str, journal.substr(100));
}

TEST_F(PseudoTerminalPortTest, WritesEveryByteZerosIncluded) {
    const ByteString frame("S7\0;\x11\x13\r\n", 8);
    EXPECT_EQ(Port.WriteBytes(frame), 8);
    EXPECT_EQ(Line.Receive(8), frame);
}

TEST_F(PseudoTerminalPortTest, ClosedPortRefusesTransfers) {
    EXPECT_TRUE(Port.Close());
    ByteString str;
    EXPECT_EQ(FailureOf([&] { Port.WriteBytes("?S1;"); }), "Помилка запису в порт");
    EXPECT_EQ(FailureOf([&] { Port.ReadBytes(str, 100); }), "Помилка читання з порта");
    EXPECT_FALSE(Port.DeviceVanished());
}

TEST_F(PseudoTerminalPortTest, SecondOpenerIsRefusedUntilTheFirstCloses) {
    TSerialPort second;
    second.SetPort(Line.SlavePath());
    EXPECT_EQ(FailureOf([&] { second.Open(); }), "Порт зайнятий іншою програмою");
    EXPECT_FALSE(second.Connected());
    Port.Close();
    EXPECT_TRUE(second.Open());
}

// The terminal hangs up under a read: the read fails as any other, finds the device gone, and
// Close lets go of the terminal without an error.
TEST_F(PseudoTerminalPortTest, CloseEndsClosedAfterTheOtherEndWentAway) {
    EXPECT_EQ(Line.SlaveDescriptors(), 2);
    Line.CloseMaster();
    ByteString str;
    EXPECT_EQ(FailureOf([&] { Port.ReadBytes(str, 100); }), "Помилка читання з порта");
    EXPECT_TRUE(Port.DeviceVanished());
    EXPECT_EQ(FailureOf([&] { Port.WriteBytes("?S1;"); }), "Помилка запису в порт");
    EXPECT_EQ(FailureOf([&] { Port.Close(); }), "(nothing raised)");
    EXPECT_FALSE(Port.Connected());
    EXPECT_TRUE(Port.DeviceVanished());
    EXPECT_EQ(Line.SlaveDescriptors(), 1);
    EXPECT_TRUE(Port.Close());
}

// When the panel's end of a pseudo-terminal closes, the terminal shows the hang-up a moment before
// its requests start failing; the monitor may look in between. A master whose slave has closed
// stays in that state: hung up, with requests that fail only as they always do on a master.
TEST(PseudoTerminalDeviceTest, AHangUpIsAVanishedDeviceBeforeItsRequestsFail) {
    int master = -1;
    int slave = -1;
    ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    TLinuxSerialDevice device{TUniqueFd(master)};
    EXPECT_FALSE(device.Vanished());
    ::close(slave);
    int lines = 0;
    ASSERT_FALSE(::ioctl(master, TIOCMGET, &lines) != 0 && errno == EIO);
    EXPECT_TRUE(device.Vanished());
}

TEST_F(PseudoTerminalPortTest, WriteThatCannotGoOutEndsAtItsTimeoutAndCloseDoesNotHang) {
    TSerialTimeouts timeouts(Port.Timeouts());
    timeouts.SetWriteTotalMultiplier(0);
    timeouts.SetWriteTotalConstant(200);
    Port.SetTimeouts(timeouts);
    const ByteString flood(1 << 20, 'x');
    const auto started = std::chrono::steady_clock::now();
    const int32_t written = Port.WriteBytes(flood);
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_LT(written, static_cast<int32_t>(flood.size()));
    EXPECT_GE(took, std::chrono::milliseconds(150));
    EXPECT_LT(took, std::chrono::milliseconds(1500));
    EXPECT_TRUE(Port.Close());
}

TEST_F(PseudoTerminalPortTest, EveryRateReachesTheTerminal) {
    for (int ordinal = br110; ordinal <= br256000; ++ordinal) {
        const auto rate = static_cast<TBaudRate>(ordinal);
        Port.SetBaudRate(rate);
        TTerminalSettings settings;
        ASSERT_TRUE(ReadLineSettings(Line.Slave(), settings));
        EXPECT_EQ(settings.OutputSpeed, BaudRateValue(rate));
        EXPECT_EQ(settings.InputSpeed, BaudRateValue(rate));
    }
}

// A pseudo-terminal forces 8 data bits without parity, so what the settings are made of is
// checked on the settings themselves, and the terminal shows that they were applied.
TEST(LinuxLineSettingsTest, ControlBlockBecomesRawTerminalSettings) {
    struct {
        TByteSize ByteSize;
        TParity Parity;
        TStopBits StopBits;
        tcflag_t Size;
        tcflag_t ParityBits;
        bool TwoStop;
    } const cases[] = {
        {bs8, paNone, sb1, CS8, 0, false},
        {bs7, paEven, sb1, CS7, PARENB, false},
        {bs8, paOdd, sb2, CS8, PARENB | PARODD, true},
        {bs6, paMark, sb1, CS6, PARENB | PARODD | CMSPAR, false},
        {bs8, paSpace, sb1, CS8, PARENB | CMSPAR, false},
        {bs5, paNone, sb1_5, CS5, 0, true},
    };
    for (const auto& c : cases) {
        TSerialPort port;
        port.SetByteSize(c.ByteSize);
        port.SetParity(c.Parity);
        port.SetStopBits(c.StopBits);
        TTerminalSettings before;
        before.ControlFlags = CRTSCTS | CS5 | PARODD;
        before.InputFlags = IXON | IXOFF | ICRNL;
        before.OutputFlags = OPOST;
        before.LocalFlags = ICANON | ECHO;
        const TTerminalSettings settings =
            MakeLineSettings(TSerialPortInternals::ControlBlock(port), before);
        EXPECT_EQ(settings.ControlFlags & CSIZE, c.Size);
        EXPECT_EQ(settings.ControlFlags & (PARENB | PARODD | CMSPAR), c.ParityBits);
        EXPECT_EQ((settings.ControlFlags & CSTOPB) != 0, c.TwoStop);
        EXPECT_EQ(settings.ControlFlags & CRTSCTS, 0u);
        EXPECT_EQ(settings.ControlFlags & (CLOCAL | CREAD), CLOCAL | CREAD);
        EXPECT_EQ(settings.InputFlags & (IXON | IXOFF | ICRNL), 0u);
        EXPECT_EQ((settings.InputFlags & INPCK) != 0, c.Parity != paNone);
        EXPECT_EQ(settings.OutputFlags & OPOST, 0u);
        EXPECT_EQ(settings.LocalFlags & (ICANON | ECHO), 0u);
        EXPECT_EQ(settings.MinimumBytes, 1);
        EXPECT_EQ(settings.ReadTime, 0);
        EXPECT_EQ(settings.StartChar, 17);
        EXPECT_EQ(settings.StopChar, 19);
        EXPECT_EQ(settings.OutputSpeed, 9600u);
    }
}

TEST_F(PseudoTerminalPortTest, StopBitsTheLineCannotMakeAreRefused) {
    struct {
        TByteSize ByteSize;
        TStopBits StopBits;
        bool Accepted;
    } const cases[] = {{bs5, sb1_5, true},
                       {bs8, sb1_5, false},
                       {bs5, sb2, false},
                       {bs8, sb2, true},
                       {bs7, sb1, true}};
    for (const auto& c : cases) {
        Port.SetStopBits(sb1);
        Port.SetByteSize(c.ByteSize);
        const std::string outcome = FailureOf([&] { Port.SetStopBits(c.StopBits); });
        EXPECT_EQ(outcome, c.Accepted ? "(nothing raised)" : "Помилка функції SetCommState");
        termios settings{};
        ASSERT_EQ(::tcgetattr(Line.Slave(), &settings), 0);
        EXPECT_EQ((settings.c_cflag & CSTOPB) != 0, c.Accepted && c.StopBits != sb1);
    }
}

TEST(LinuxSerialDriverTest, MissingDeviceThenTheRightOneOpens) {
    TPseudoTerminal line;
    ASSERT_TRUE(line.Valid());
    TSerialPort port;
    port.SetPort("/dev/ttyNoSuchAdapter9");
    EXPECT_EQ(FailureOf([&] { port.Open(); }), "Спроба відкрити неіснуючий СОМ-порт");
    EXPECT_FALSE(port.Connected());
    port.SetPort(line.SlavePath().substr(5));
    EXPECT_TRUE(port.Open());
    EXPECT_EQ(port.WriteBytes("?BD;"), 4);
    EXPECT_EQ(line.Receive(4), "?BD;");
}

TEST(LinuxSerialDriverTest, PortNamesWithoutPathLiveUnderDev) {
    EXPECT_EQ(TLinuxSerialDriver::DevicePath("ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(TLinuxSerialDriver::DevicePath("pts/3"), "/dev/pts/3");
    EXPECT_EQ(TLinuxSerialDriver::DevicePath("/dev/ttyACM1"), "/dev/ttyACM1");
}

TEST(LinuxSerialDriverTest, OpenFailuresAreTold) {
    char path[] = "/tmp/serial-device-XXXXXX";
    const int fd = ::mkstemp(path);
    ASSERT_GE(fd, 0);
    ::close(fd);
    struct stat info {};
    ::stat(path, &info);
    const std::string group = ::getgrgid(info.st_gid)->gr_name;
    struct {
        int Error;
        TOpenOutcome Outcome;
        std::string Group;
    } const cases[] = {
        {ENOENT, TOpenOutcome::ooNotFound, ""},  {ENODEV, TOpenOutcome::ooNotFound, ""},
        {ENXIO, TOpenOutcome::ooNotFound, ""},   {EBUSY, TOpenOutcome::ooBusy, ""},
        {EWOULDBLOCK, TOpenOutcome::ooBusy, ""}, {EACCES, TOpenOutcome::ooNoPermission, group},
        {EIO, TOpenOutcome::ooOther, ""}};
    for (const auto& c : cases) {
        const TOpenResult result = TLinuxSerialDriver::Refusal(c.Error, path);
        EXPECT_EQ(result.Outcome, c.Outcome) << c.Error;
        EXPECT_EQ(result.Group, c.Group) << c.Error;
        EXPECT_EQ(result.Device, nullptr);
    }
    ::unlink(path);
}

}  // namespace
