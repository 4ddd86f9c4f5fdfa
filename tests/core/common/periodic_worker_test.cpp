// A periodic worker whose thread cannot be created: Start says so, the
// worker counts as not started (nothing claims a thread that never ran),
// stopping it is harmless, and the next start that gets a thread runs.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "common/periodic_worker.h"
#include "core/fakes/event_log.h"
#include "core/fakes/refusing_thread_starter.h"

namespace tolvane {
namespace {

using namespace std::chrono_literals;

TEST(PeriodicWorkerTest, AThreadThatCannotBeCreatedLeavesTheWorkerStoppedAndStartableAgain) {
  testing::EventLog log;
  testing::RefusingThreadStarter threads(log);
  PeriodicWorker worker("level poll", threads);

  std::mutex lock;
  std::condition_variable ran;
  int rounds = 0;
  const auto round = [&] {
    {
      std::lock_guard<std::mutex> hold(lock);
      ++rounds;
    }
    ran.notify_all();
    return true;
  };

  threads.RefuseNext("level poll");
  EXPECT_FALSE(worker.Start(1h, round));
  EXPECT_FALSE(worker.Started());
  EXPECT_EQ(log.All(), testing::EventLog::Events{"thread refused level poll"});
  worker.Stop();
  worker.RequestStop();

  // A stop asked for before the failed start must not keep the next worker
  // from running its rounds.
  ASSERT_TRUE(worker.Start(1h, round));
  EXPECT_TRUE(worker.Started());
  {
    std::unique_lock<std::mutex> hold(lock);
    EXPECT_TRUE(ran.wait_for(hold, 10s, [&] { return rounds == 1; }));
  }
  worker.Stop();
  EXPECT_FALSE(worker.Started());
  std::lock_guard<std::mutex> hold(lock);
  EXPECT_EQ(rounds, 1);
}

}  // namespace
}  // namespace tolvane
