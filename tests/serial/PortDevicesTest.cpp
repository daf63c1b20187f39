#include <gtest/gtest.h>

#include "serial/PortDevices.h"

namespace {

// A device table as a machine with a few adapters gives it, gaps and all.
const std::vector<TPortDevice> kDevices = {
    {"Communications Port (COM1)", "COM1"},
    {"USB-SERIAL CH340 (COM3)", ""},
    {"Prolific USB-to-Serial Comm Port (COM30)", "COM30"},
    {"", "COM5"},
    {"Silicon Labs CP210x USB to UART Bridge", "COM7"},
    {"Переходник USB — RS-232 (COM8)  ", ""},
    {"ECP Printer Port (LPT1)", "LPT1"},
    {"Stale name (COM9)", "COM12"},
    {"Port of the name (COM12)", ""},
};

TEST(PortDevices, EachPortFindsItsOwnFriendlyName) {
    const struct {
        const char* Port;
        const char* Expected;
    } cases[] = {
        {"COM1", "Communications Port (COM1)"},
        {"com1", "Communications Port (COM1)"},
        // No port name: the friendly name's suffix says which port it is.
        {"COM3", "USB-SERIAL CH340 (COM3)"},
        {"COM30", "Prolific USB-to-Serial Comm Port (COM30)"},
        // A port whose device has no friendly name is described by nothing.
        {"COM5", ""},
        {"COM7", "Silicon Labs CP210x USB to UART Bridge"},
        {"COM8", "Переходник USB — RS-232 (COM8)  "},
        // A renamed port: its port name counts, the suffix it kept does not.
        {"COM12", "Stale name (COM9)"},
        {"COM9", ""},
        {"COM2", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FriendlyNameOfPort(kDevices, c.Port), c.Expected) << c.Port;
    }
    EXPECT_EQ(FriendlyNameOfPort({}, "COM1"), "");
}

}  // namespace
