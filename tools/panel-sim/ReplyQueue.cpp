#include "tools/panel-sim/ReplyQueue.h"

#include <algorithm>

namespace irven::sim {

bool TReplyQueue::Schedule(const TBytes& reply, TFrameKind kind, const std::string& name,
                           TClock::time_point received) {
    if (reply.empty()) {
        return true;
    }
    if (queued_ + reply.size() > kMaxQueuedBytes) {
        return false;
    }
    const std::size_t chunk = timing_.Chunk == 0 ? reply.size() : timing_.Chunk;
    TClock::time_point due = received + timing_.Wait;
    for (std::size_t offset = 0; offset < reply.size(); offset += chunk) {
        if (!pieces_.empty()) {
            due = std::max(due, pieces_.back().Due);
        }
        pieces_.push_back({due, reply.substr(offset, chunk), kind, name});
        due += timing_.ChunkGap;
    }
    queued_ += reply.size();
    return true;
}

std::optional<TClock::time_point> TReplyQueue::NextDue() const {
    if (pieces_.empty()) {
        return std::nullopt;
    }
    return pieces_.front().Due;
}

bool TReplyQueue::HasDue(TClock::time_point now) const {
    return !pieces_.empty() && pieces_.front().Due <= now;
}

void TReplyQueue::Consume(std::size_t count) {
    TBytes& bytes = pieces_.front().Bytes;
    count = std::min(count, bytes.size());
    bytes.erase(0, count);
    queued_ -= count;
    if (bytes.empty()) {
        pieces_.pop_front();
    }
}

}  // namespace irven::sim
