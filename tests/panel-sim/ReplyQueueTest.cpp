#include "tools/panel-sim/ReplyQueue.h"

#include <gtest/gtest.h>

namespace irven::sim {
namespace {

using namespace std::chrono_literals;

struct TSent {
    std::chrono::milliseconds At;
    std::string Bytes;
};

// Takes every piece off the queue in order, with the time it is due after t0.
std::vector<TSent> Drain(TReplyQueue& queue, TClock::time_point t0) {
    std::vector<TSent> sent;
    while (const auto due = queue.NextDue()) {
        sent.push_back({std::chrono::duration_cast<std::chrono::milliseconds>(*due - t0),
                        queue.Front().Bytes});
        queue.Consume(queue.Front().Bytes.size());
    }
    return sent;
}

TEST(ReplyQueue, SchedulesWholeRepliesAfterTheWait) {
    const TClock::time_point t0{};
    TReplyQueue queue({40ms});
    EXPECT_TRUE(queue.Schedule("2222", TFrameKind::Query, "OC", t0));
    EXPECT_TRUE(queue.Schedule("", TFrameKind::TextSetting, "O", t0 + 5ms));
    EXPECT_TRUE(queue.Schedule("\x05", TFrameKind::Query, "PT", t0 + 10ms));
    EXPECT_FALSE(queue.HasDue(t0 + 39ms));
    EXPECT_TRUE(queue.HasDue(t0 + 40ms));
    const auto sent = Drain(queue, t0);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].At, 40ms);
    EXPECT_EQ(sent[0].Bytes, "2222");
    EXPECT_EQ(sent[1].At, 50ms);
}

TEST(ReplyQueue, ChunksAreSpacedAndNeverOvertaken) {
    const TClock::time_point t0{};
    TReplyQueue queue({0ms, 4});
    queue.Schedule("0123456789", TFrameKind::Query, "S1", t0);
    queue.Schedule("ab", TFrameKind::Query, "OC", t0 + 10ms);
    const auto sent = Drain(queue, t0);
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0].Bytes, "0123");
    EXPECT_EQ(sent[1].At, 30ms);
    EXPECT_EQ(sent[2].Bytes, "89");
    EXPECT_EQ(sent[2].At, 60ms);
    EXPECT_EQ(sent[3].Bytes, "ab");
    EXPECT_EQ(sent[3].At, 60ms);
}

TEST(ReplyQueue, PartlyWrittenPieceKeepsItsRest) {
    const TClock::time_point t0{};
    TReplyQueue queue({0ms});
    queue.Schedule("abcdef", TFrameKind::Query, "S1", t0);
    queue.Consume(2);
    EXPECT_EQ(queue.Front().Bytes, "cdef");
    queue.Consume(4);
    EXPECT_FALSE(queue.NextDue());
}

TEST(ReplyQueue, DropsRepliesWhenNobodyReads) {
    TReplyQueue queue({0ms});
    const std::string reply(TReplyQueue::kMaxQueuedBytes / 2, 'x');
    EXPECT_TRUE(queue.Schedule(reply, TFrameKind::Query, "JRN", {}));
    EXPECT_TRUE(queue.Schedule(reply, TFrameKind::Query, "JRN", {}));
    EXPECT_FALSE(queue.Schedule("y", TFrameKind::Query, "OC", {}));
    queue.Consume(reply.size());
    EXPECT_TRUE(queue.Schedule("y", TFrameKind::Query, "OC", {}));
}

}  // namespace
}  // namespace irven::sim
