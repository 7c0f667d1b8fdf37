#include <gtest/gtest.h>

#include "InputQueue.h"

using zewvisa::InputQueue;

namespace {
const auto t0 = std::chrono::steady_clock::time_point{} + std::chrono::hours(1);
}

TEST(InputQueue, ReadEndsAtTermCharThenAtCountThenAtEndOfMessage) {
    InputQueue q;
    q.Push("1.5\nREST", true, t0);
    auto r = q.TryRead(100, '\n', t0);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->data, "1.5\n");
    EXPECT_EQ(r->status, VI_SUCCESS_TERM_CHAR);

    r = q.TryRead(2, '\n', t0);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->data, "RE");
    EXPECT_EQ(r->status, VI_SUCCESS_MAX_CNT);

    r = q.TryRead(100, std::nullopt, t0);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->data, "ST");
    EXPECT_EQ(r->status, VI_SUCCESS);
    EXPECT_TRUE(q.Empty());
    EXPECT_FALSE(q.TryRead(100, '\n', t0));
}

TEST(InputQueue, AMessageEndingInTheTermCharIsUsedUpByOneRead) {
    InputQueue q;
    q.Push("A\n", true, t0);
    q.Push("B\n", true, t0);
    EXPECT_EQ(q.TryRead(100, '\n', t0)->data, "A\n");
    EXPECT_EQ(q.TryRead(100, '\n', t0)->data, "B\n");
    EXPECT_FALSE(q.TryRead(100, '\n', t0));
}

TEST(InputQueue, StreamBytesWaitForTheTermCharAcrossPushes) {
    InputQueue q;
    q.Push("12,", false, t0);
    EXPECT_FALSE(q.TryRead(100, '\n', t0));
    q.Push("34\nx", false, t0);
    auto r = q.TryRead(100, '\n', t0);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->data, "12,34\n");
    EXPECT_EQ(q.TakeReady(100, t0), "x");
}

TEST(InputQueue, DelayedRepliesAreNotReadBeforeTheirTime) {
    InputQueue q;
    const auto later = t0 + std::chrono::milliseconds(500);
    q.Push("late\n", true, later);
    EXPECT_FALSE(q.TryRead(100, '\n', t0));
    EXPECT_EQ(q.NextReady(t0), later);
    EXPECT_EQ(q.TakeReady(100, t0), "");
    EXPECT_EQ(q.TryRead(100, '\n', later)->data, "late\n");
}

TEST(InputQueue, AnEmptyMessageGivesAnEmptySuccessfulRead) {
    InputQueue q;
    q.Push("", true, t0);
    auto r = q.TryRead(10, '\n', t0);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->data, "");
    EXPECT_EQ(r->status, VI_SUCCESS);
    EXPECT_TRUE(q.Empty());
}
