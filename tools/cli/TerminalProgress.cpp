#include "tools/cli/TerminalProgress.h"

#include <algorithm>
#include <string>

#include "tools/cli/IsConsole.h"

namespace {
constexpr int BarWidth = 40;
}

TTerminalProgress::TTerminalProgress(std::FILE* stream)
    : stream_(stream), terminal_(IsConsole(stream)) {}

TTerminalProgress::~TTerminalProgress() {
    Erase();
}

void TTerminalProgress::SetPosition(int position) {
    TPlainProgress::SetPosition(position);
    if (!terminal_) {
        return;
    }
    const int shown = std::clamp(position, 0, 100);
    const int filled = shown * BarWidth / 100;
    const std::string bar =
        std::string(static_cast<size_t>(filled), '#') + std::string(BarWidth - filled, '.');
    std::fprintf(stream_, "\r[%s] %3d%%", bar.c_str(), shown);
    std::fflush(stream_);
    shown_ = true;
}

void TTerminalProgress::Erase() {
    if (shown_) {
        std::fputs("\r\033[K", stream_);
        std::fflush(stream_);
        shown_ = false;
    }
}
