// The report queue between the main window and the report thread.
#include <atomic>
#include <thread>

#include "handset/report_queue.h"
#include "handset_fixture.h"

namespace tolvane::testing {
namespace {

TEST(ReportQueue, ClearDiscardsEverythingQueued) {
  ReportQueue queue;
  std::atomic<int> run{1};
  queue.Push(1);
  queue.Push(2);
  queue.Clear();
  queue.Push(3);
  EXPECT_EQ(queue.WaitPop(run), 3u);
}

TEST(ReportQueue, WaitingConsumerEndsWhenItsRunFlagIsCleared) {
  ReportQueue queue;
  std::atomic<int> run{1};
  std::optional<std::uint32_t> got = 7;
  std::thread consumer([&] { got = queue.WaitPop(run); });
  run = 0;
  queue.Wake();
  consumer.join();
  EXPECT_FALSE(got.has_value());
}

TEST(ReportSplit, FieldsComeFromTheirReportBits) {
  const KeyRecord key = SplitReport(0x00A35302u);
  EXPECT_EQ(key.flags, 0xA3);
  EXPECT_EQ(key.key, 0x53);
  EXPECT_EQ(key.sequence, 0x02);
}

TEST_F(HandsetTest, ReportsMarkedIgnoreAreNeverQueued) {
  handset->QueueReport(MakeReport(83, 1), -1);
  handset->QueueReport(MakeReport(46, 1), 0);
  ASSERT_EQ(handset->StartReportThread(), 1);
  ASSERT_TRUE(log.WaitFor("lib SendCode 81"));
  EXPECT_EQ(log.Count("send FOCUS"), 0u);
}

TEST_F(HandsetTest, ClearReportsDropsReportsNotYetTaken) {
  handset->QueueReport(MakeReport(83, 1), 0);
  handset->QueueReport(MakeReport(46, 2), 0);
  EXPECT_EQ(handset->ClearReports(), 1);
  handset->QueueReport(MakeReport(47, 1), 0);
  ASSERT_EQ(handset->StartReportThread(), 1);
  ASSERT_TRUE(log.WaitFor("lib SendCode 81"));
  EXPECT_EQ(log.All(), (EventLog::Events{"send SET MUTE ON", "lib SendCode 81"}));
}

TEST_F(HandsetTest, StartingTheReportThreadTwiceKeepsOneThread) {
  ASSERT_EQ(handset->StartReportThread(), 1);
  EXPECT_EQ(handset->StartReportThread(), 1);
  handset->QueueReport(MakeReport(83, 1), 0);
  ASSERT_TRUE(log.WaitFor("lib SendCode 81"));
  handset.reset();
  EXPECT_EQ(log.Count("send FOCUS"), 1u);
}

}  // namespace
}  // namespace tolvane::testing
