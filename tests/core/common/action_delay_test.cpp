#include "common/action_delay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>

namespace tolvane {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

TEST(SteadyActionDelayTest, AShortWaitRunsOut) {
  SteadyActionDelay delay;
  EXPECT_TRUE(delay.Wait(milliseconds(1)));
}

TEST(SteadyActionDelayTest, CancelEndsALongWaitEarly) {
  SteadyActionDelay delay;
  auto waited = std::async(std::launch::async, [&] { return delay.Wait(std::chrono::hours(1)); });
  delay.Cancel();
  ASSERT_EQ(waited.wait_for(seconds(10)), std::future_status::ready);
  EXPECT_FALSE(waited.get());
}

TEST(SteadyActionDelayTest, WaitsAfterCancelReturnAtOnce) {
  SteadyActionDelay delay;
  delay.Cancel();
  EXPECT_FALSE(delay.Wait(std::chrono::hours(1)));
}

}  // namespace
}  // namespace tolvane
