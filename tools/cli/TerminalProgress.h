#pragma once

#include <cstdio>

#include "protocol/ProgressIndicator.h"

// The exchange's progress as a bar on a terminal. On anything but a terminal it only remembers the
// position, so piped or logged standard error stays free of control characters.
class TTerminalProgress final : public TPlainProgress {
  public:
    explicit TTerminalProgress(std::FILE* stream);
    ~TTerminalProgress() override;
    TTerminalProgress(const TTerminalProgress&) = delete;
    TTerminalProgress& operator=(const TTerminalProgress&) = delete;

    void SetPosition(int position) override;
    // Erases the bar, so that what is printed next starts on a clean line.
    void Erase();

  private:
    std::FILE* stream_;
    bool terminal_;
    bool shown_ = false;
};
