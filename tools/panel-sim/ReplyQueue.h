#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>

#include "tools/panel-sim/Frame.h"

namespace irven::sim {

using TClock = std::chrono::steady_clock;

struct TReplyPiece {
    TClock::time_point Due;
    TBytes Bytes;
    TFrameKind Kind;  // of the frame it answers, for the log
    std::string Name;
};

struct TReplyTiming {
    std::chrono::milliseconds Wait{40};  // from the frame's last byte to the reply's first
    std::size_t Chunk = 0;               // bytes per piece; 0 sends a reply whole
    std::chrono::milliseconds ChunkGap{30};
};

// Replies waiting for their time, in the order their frames arrived. Pieces never overtake each
// other: a piece is never due before the one ahead of it.
class TReplyQueue {
  public:
    // Beyond this many bytes waiting (a client that queries and never reads) replies are dropped.
    static constexpr std::size_t kMaxQueuedBytes = 1 << 20;

    explicit TReplyQueue(TReplyTiming timing) : timing_(timing) {}

    // False when the reply was dropped because too much is waiting.
    bool Schedule(const TBytes& reply, TFrameKind kind, const std::string& name,
                  TClock::time_point received);

    std::optional<TClock::time_point> NextDue() const;
    bool HasDue(TClock::time_point now) const;
    TReplyPiece& Front() { return pieces_.front(); }
    // Drops the first count bytes of the front piece, and the piece once it is empty.
    void Consume(std::size_t count);

  private:
    TReplyTiming timing_;
    std::deque<TReplyPiece> pieces_;
    std::size_t queued_ = 0;
};

}  // namespace irven::sim
