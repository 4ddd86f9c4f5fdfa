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
