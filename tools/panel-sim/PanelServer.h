#pragma once

#include <filesystem>
#include <optional>

#include "tools/panel-sim/FrameLog.h"
#include "tools/panel-sim/FrameParser.h"
#include "tools/panel-sim/Panel.h"
#include "tools/panel-sim/PseudoTerminal.h"
#include "tools/panel-sim/ReplyQueue.h"
#include "tools/panel-sim/SignalFd.h"

namespace irven::sim {

struct TServerConfig {
    TReplyTiming Timing;
    bool Silent = false;
    std::optional<unsigned> HangupAfter;
    std::optional<std::filesystem::path> StateFile;
};

enum class TServeEnd { Signal, Hangup };

// Serves the panel on the terminal: one poll over the terminal and the signal descriptor, its
// timeout the time to the next reply piece that is due. Nothing else wakes it.
class TPanelServer {
  public:
    TPanelServer(TPseudoTerminal& terminal, TSignalFd& signals, TPanel& panel, TFrameLog* log,
                 TServerConfig config, TClock::time_point start);

    TServeEnd Run();

  private:
    int PollTimeout(TClock::time_point now) const;
    bool ReadTerminal();
    bool Receive(const TFrame& frame, TClock::time_point now);
    void Persist();
    void SendDue();
    double Seconds(TClock::time_point at) const;

    TPseudoTerminal& terminal_;
    TSignalFd& signals_;
    TPanel& panel_;
    TFrameLog* log_;
    TServerConfig config_;
    TClock::time_point start_;
    TFrameParser parser_;
    TReplyQueue replies_;
    bool writeBlocked_ = false;
    unsigned frames_ = 0;
};

}  // namespace irven::sim
