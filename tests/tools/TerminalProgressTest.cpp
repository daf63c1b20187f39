#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "tools/cli/IsConsole.h"
#include "tools/cli/TerminalProgress.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#endif

namespace {

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

#ifdef _WIN32
constexpr const char* kNullDevice = "NUL";

// The console the test's own process gets: Wine and Windows give one to a program without it.
TFile Console() {
    ::AllocConsole();
    return TFile(std::fopen("CONOUT$", "w"));
}
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
TEST(TerminalProgress, TheBarGoesToAConsoleAlone) {
    const TFile console = Console();
    ASSERT_NE(console, nullptr);
    EXPECT_TRUE(IsConsole(console.get()));
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
