#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "tools/cli/IsConsole.h"
#include "tools/cli/TerminalProgress.h"

#ifndef _WIN32
#include <fcntl.h>
#include <stdlib.h>
#endif

namespace {

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

#ifdef _WIN32
constexpr const char* kNullDevice = "NUL";
#else
constexpr const char* kNullDevice = "/dev/null";

// A pseudo-terminal's terminal side; its controller side stays open while the test runs.
TFile Console() {
    static const int controller = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (controller < 0 || ::grantpt(controller) != 0 || ::unlockpt(controller) != 0) {
        return nullptr;
    }
    return TFile(std::fopen(::ptsname(controller), "w"));
}
#endif

std::string Content(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string content;
    for (int c; (c = std::fgetc(file)) != EOF;) {
        content += static_cast<char>(c);
    }
    return content;
}

// Only a console gets the bar; a file, a pipe or the null device (a character device, which the C
// runtime's isatty reports on Windows) gets no control characters.
// Under Wine a program without a terminal gets no working console (the handles AllocConsole gives
// fail every call), so the console itself is tried on Linux alone.
TEST(TerminalProgress, TheBarGoesToAConsoleAlone) {
#ifndef _WIN32
    const TFile console = Console();
    ASSERT_NE(console, nullptr);
    EXPECT_TRUE(IsConsole(console.get()));
#endif
    const TFile nullDevice(std::fopen(kNullDevice, "w"));
    ASSERT_NE(nullDevice, nullptr);
    EXPECT_FALSE(IsConsole(nullDevice.get()));

    const TFile file(std::tmpfile());
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(IsConsole(file.get()));
    {
        TTerminalProgress bar(file.get());
        bar.SetPosition(50);
        EXPECT_EQ(bar.Position(), 50);
    }
    EXPECT_EQ(Content(file.get()), "");
}

}  // namespace
