#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "serial/PortList.h"
#include "serial/linux/SysfsPortSource.h"
#include "tests/serial/SerialTestSupport.h"

using ::testing::ElementsAre;

namespace {

namespace fs = std::filesystem;

const char* const kUnreadable = "Помилка звернення до системного реєстру";

class FakeSysfs {
  public:
    FakeSysfs() : Root_(fs::temp_directory_path() / ("sysfs-" + std::to_string(::getpid()))) {
        fs::remove_all(Root_);
        fs::create_directories(Root_ / "devices" / "usb1");
        fs::create_directories(ClassDir());
    }
    ~FakeSysfs() { fs::remove_all(Root_); }

    fs::path ClassDir() const { return Root_ / "class" / "tty"; }

    // type < 0: no type file, as for USB adapters.
    void AddPort(const std::string& name, bool withDevice, int type = -1) {
        const fs::path entry = ClassDir() / name;
        fs::create_directories(entry);
        if (withDevice) {
            fs::create_directory_symlink(Root_ / "devices" / "usb1", entry / "device");
        }
        if (type >= 0) {
            std::ofstream(entry / "type") << type << "\n";
        }
    }

    // A port whose device lies at `device` under devices/, with files beside its ancestors.
    void AddPortAt(const std::string& name, const fs::path& device,
                   const std::map<fs::path, std::string>& files = {}) {
        fs::create_directories(Root_ / "devices" / device);
        for (const auto& [file, text] : files) {
            std::ofstream(Root_ / "devices" / file) << text << "\n";
        }
        fs::create_directories(ClassDir() / name);
        fs::create_directory_symlink(Root_ / "devices" / device, ClassDir() / name / "device");
    }

  private:
    fs::path Root_;
};

TEST(PortListTest, ListsRealDevicesAsSortedPaths) {
    FakeSysfs sysfs;
    sysfs.AddPort("ttyUSB2", true);
    sysfs.AddPort("ttyS0", true, 0);
    sysfs.AddPort("ttyS1", true, 4);
    sysfs.AddPort("ttyUSB10", true);
    sysfs.AddPort("tty0", false);
    sysfs.AddPort("console", false);
    sysfs.AddPort("ttyACM0", true);
    sysfs.AddPort("ttyUSB0", true);
    std::vector<std::string> list = {"previous"};
    ListSerialPorts(list, TSysfsPortSource(sysfs.ClassDir(), "/dev"));
    EXPECT_THAT(list, ElementsAre("/dev/ttyACM0", "/dev/ttyS1", "/dev/ttyUSB0", "/dev/ttyUSB10",
                                  "/dev/ttyUSB2"));
}

TEST(PortListTest, EachPortIsDescribedAsTheSystemKnowsIt) {
    FakeSysfs sysfs;
    sysfs.AddPortAt(
        "ttyUSB0", "pci/usb1/1-1/1-1:1.0/ttyUSB0",
        {{"pci/usb1/1-1/product", "FT232R USB UART"}, {"pci/usb1/1-1/manufacturer", "FTDI"}});
    sysfs.AddPortAt("ttyACM0", "pci/usb1/1-2/1-2:1.0", {{"pci/usb1/1-2/product", "Modem"}});
    sysfs.AddPort("ttyUSB1", true);
    sysfs.AddPortAt("ttyS0", "platform/serial8250/tty/ttyS0");
    const std::vector<TPortEntry> entries =
        ListSerialPortEntries(TSysfsPortSource(sysfs.ClassDir(), "/dev"));
    std::vector<std::pair<std::string, std::string>> found;
    for (const TPortEntry& entry : entries) {
        found.emplace_back(entry.Name, entry.Description);
    }
    EXPECT_THAT(found,
                ElementsAre(std::pair("/dev/ttyACM0", "Modem"),
                            std::pair("/dev/ttyS0", "встроенный последовательный порт"),
                            std::pair("/dev/ttyUSB0", "FT232R USB UART — FTDI"),
                            std::pair("/dev/ttyUSB1", "USB-адаптер последовательного порта")));
    EXPECT_EQ(TSysfsPortSource(sysfs.ClassDir(), "/dev").Describe("/dev/ttyUSB9"), "");
}

TEST(PortListTest, NoPortsGiveAnEmptyList) {
    FakeSysfs sysfs;
    sysfs.AddPort("tty1", false);
    std::vector<std::string> list = {"/dev/ttyUSB0"};
    ListSerialPorts(list, TSysfsPortSource(sysfs.ClassDir(), "/dev"));
    EXPECT_TRUE(list.empty());
}

TEST(PortListTest, UnreadableListRaisesAndLeavesTheListAlone) {
    std::vector<std::string> list = {"/dev/ttyUSB0"};
    EXPECT_EQ(FailureOf([&] {
                  ListSerialPorts(list, TSysfsPortSource("/nonexistent/class/tty", "/dev"));
              }),
              kUnreadable);
    EXPECT_THAT(list, ElementsAre("/dev/ttyUSB0"));
}

TEST(PortListTest, ListingThatFailsPartWayChangesNothing) {
    struct TBrokenSource : TPortSource {
        bool ReadPortNames(std::vector<std::string>& names) const override {
            names.push_back("COM1");
            return false;
        }
    };
    std::vector<std::string> list = {"COM7"};
    EXPECT_EQ(FailureOf([&] { ListSerialPorts(list, TBrokenSource()); }), kUnreadable);
    EXPECT_THAT(list, ElementsAre("COM7"));
}

TEST(PortListTest, SortIgnoresCaseAndKeepsEqualNames) {
    std::vector<std::string> names = {"COM3", "com4", "COM1", "COM10", "COM2", "com1", "COM1"};
    SortPortNames(names);
    EXPECT_THAT(names, ElementsAre("COM1", "com1", "COM1", "COM10", "COM2", "COM3", "com4"));
}

TEST(PortListTest, ThisMachineCanBeListed) {
    std::vector<std::string> list;
    ListSerialPorts(list);
    for (const std::string& name : list) {
        EXPECT_EQ(name.rfind("/dev/", 0), 0u) << name;
    }
}

}  // namespace
