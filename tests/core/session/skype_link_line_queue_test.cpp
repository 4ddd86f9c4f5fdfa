#include "session/line_queue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>

namespace tolvane {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

TEST(LineQueueTest, LinesComeOutInArrivalOrder) {
  LineQueue queue;
  queue.Push("a");
  queue.Push("b");
  queue.Push("");
  EXPECT_EQ(queue.WaitPop(), "a");
  EXPECT_EQ(queue.WaitPop(), "b");
  EXPECT_EQ(queue.WaitPop(), "");  // an empty line is a line, not "nothing"
  EXPECT_EQ(queue.WaitPopFor(milliseconds(0)), std::nullopt);
}

TEST(LineQueueTest, WaitPopForGivesUpOnAnEmptyQueue) {
  LineQueue queue;
  EXPECT_EQ(queue.WaitPopFor(milliseconds(1)), std::nullopt);
}

TEST(LineQueueTest, AWaitingConsumerWakesForALinePushedLater) {
  LineQueue queue;
  auto taken = std::async(std::launch::async, [&] { return queue.WaitPop(); });
  queue.Push("late");
  ASSERT_EQ(taken.wait_for(seconds(10)), std::future_status::ready);
  EXPECT_EQ(taken.get(), "late");
}

TEST(LineQueueTest, StopReleasesAWaiterAndDropsLaterLines) {
  LineQueue queue;
  auto taken = std::async(std::launch::async, [&] { return queue.WaitPop(); });
  queue.Stop();
  ASSERT_EQ(taken.wait_for(seconds(10)), std::future_status::ready);
  EXPECT_EQ(taken.get(), std::nullopt);
  queue.Push("after");
  EXPECT_EQ(queue.WaitPopFor(seconds(10)), std::nullopt);  // returns at once
}

TEST(LineQueueTest, AWakeReleasesTheWaiterOnceWithoutALine) {
  LineQueue queue;
  auto woken = std::async(std::launch::async, [&] { return queue.WaitPop(); });
  queue.Wake();
  ASSERT_EQ(woken.wait_for(seconds(10)), std::future_status::ready);
  EXPECT_EQ(woken.get(), std::nullopt);

  // Wakes before the wait count as one; a line taken answers a wake too.
  queue.Wake();
  queue.Wake();
  EXPECT_EQ(queue.WaitPopFor(seconds(10)), std::nullopt);  // at once
  queue.Push("x");
  EXPECT_EQ(queue.WaitPop(), "x");
  queue.Wake();
  queue.Push("y");
  EXPECT_EQ(queue.WaitPop(), "y");
  auto later = std::async(std::launch::async, [&] { return queue.WaitPop(); });
  queue.Push("z");
  ASSERT_EQ(later.wait_for(seconds(10)), std::future_status::ready);
  EXPECT_EQ(later.get(), "z");
}

TEST(LineQueueTest, ClearEmptiesTheQueue) {
  LineQueue queue;
  queue.Push("x");
  queue.Clear();
  EXPECT_EQ(queue.WaitPopFor(milliseconds(1)), std::nullopt);
}

// A flood of lines cannot grow the queue without end: lines past its bound
// in number or in bytes are dropped and counted; once lines are taken there
// is room again.
TEST(LineQueueTest, LinesBeyondItsBoundsAreDroppedAndCounted) {
  LineQueue queue({3, 10});
  EXPECT_TRUE(queue.Push("abcd"));
  EXPECT_TRUE(queue.Push("efgh"));
  EXPECT_FALSE(queue.Push("ijk"));   // 11 bytes
  EXPECT_TRUE(queue.Push("ij"));     // 10 bytes, 3 lines
  EXPECT_FALSE(queue.Push(""));      // a fourth line
  EXPECT_FALSE(queue.Push(std::string(11, 'x')));
  EXPECT_EQ(queue.DroppedLines(), 3u);
  EXPECT_EQ(queue.WaitPop(), "abcd");
  EXPECT_TRUE(queue.Push("klmn"));
  EXPECT_FALSE(queue.Push("o"));
  queue.Clear();
  EXPECT_TRUE(queue.Push("0123456789"));
  EXPECT_EQ(queue.DroppedLines(), 4u);
  EXPECT_EQ(queue.WaitPop(), "0123456789");
}

// The bounds leave room for the longest real burst: the replies to a
// 10,000-call history, queued before the worker takes any.
TEST(LineQueueTest, AWholeHistoryBurstFitsTheDefaultBounds) {
  LineQueue queue;
  for (int call = 0; call < 10'000; ++call) {
    for (const char* what : {"PARTNER_HANDLE echo123", "PARTNER_DISPNAME Echo Test Service", "TYPE OUTGOING_P2P",
                             "SEEN TRUE", "DURATION 3600", "TIMESTAMP 1700000000"}) {
      ASSERT_TRUE(queue.Push("CALL " + std::to_string(call) + " " + what));
    }
  }
  ASSERT_TRUE(queue.Push("USERS " + std::string(2'000'000, 'u')));
  EXPECT_EQ(queue.DroppedLines(), 0u);
}

TEST(LineQueueTest, OneConsumerSeesEveryLineOfSeveralProducersInProducerOrder) {
  LineQueue queue;
  constexpr int kPerProducer = 500;
  auto produce = [&](char tag) {
    for (int i = 0; i < kPerProducer; ++i) queue.Push(tag + std::to_string(i));
  };
  std::thread a(produce, 'a');
  std::thread b(produce, 'b');
  int nextA = 0;
  int nextB = 0;
  for (int n = 0; n < 2 * kPerProducer; ++n) {
    auto line = queue.WaitPopFor(seconds(10));
    ASSERT_TRUE(line.has_value());
    int& next = (*line)[0] == 'a' ? nextA : nextB;
    EXPECT_EQ(std::stoi(line->substr(1)), next);
    ++next;
  }
  a.join();
  b.join();
  EXPECT_EQ(nextA, kPerProducer);
  EXPECT_EQ(nextB, kPerProducer);
}

}  // namespace
}  // namespace tolvane
