// The log's writer over files kept in memory: lines in order from any thread,
// the levels, a new file past the size limit with one previous file kept,
// lines counted while the queue is full, and a file that fails turning the
// log off after one attempt.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/log.h"
#include "logging/log_writer.h"

namespace tolvane {
namespace {

using namespace std::chrono_literals;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The two files in memory. Appends can be held at a gate, and the file can
// be told to fail from some append on.
class MemoryLogFile final : public LogFile {
 public:
  bool Open() override {
    ++opens;
    return openable;
  }
  std::uint64_t Size() const override { return current.size(); }
  bool Append(std::string_view text) override {
    std::unique_lock<std::mutex> hold(lock);
    ++appends;
    entered.notify_all();
    gateChanged.wait(hold, [this] { return !held; });
    if (failFromAppend != 0 && appends >= failFromAppend) return false;
    current.append(text);
    return true;
  }
  bool StartNew() override {
    previous = std::move(current);
    current.clear();
    ++newFiles;
    return true;
  }
  void Close() override { ++closes; }

  void Hold() {
    std::lock_guard<std::mutex> hold(lock);
    held = true;
  }
  void Release() {
    {
      std::lock_guard<std::mutex> hold(lock);
      held = false;
    }
    gateChanged.notify_all();
  }
  bool WaitForAppends(int count) {
    std::unique_lock<std::mutex> hold(lock);
    return entered.wait_for(hold, 20s, [&] { return appends >= count; });
  }

  bool openable = true;
  int failFromAppend = 0;  // 0: never
  int opens = 0;
  int closes = 0;
  int newFiles = 0;
  int appends = 0;
  std::string current;
  std::string previous;

 private:
  std::mutex lock;
  std::condition_variable entered;
  std::condition_variable gateChanged;
  bool held = false;
};

class FixedStamp final : public LineStamp {
 public:
  std::string Stamp() override { return "T"; }
};

class LogWriterTest : public ::testing::Test {
 protected:
  void TearDown() override { SetLogSink(nullptr); }

  MemoryLogFile file;
  FixedStamp stamp;
};

TEST_F(LogWriterTest, EachLevelWritesItsOwnLinesAndOffWritesNothing) {
  struct Case {
    LogLevel level;
    std::vector<std::string> lines;
  };
  for (const Case& c : {Case{LogLevel::kOff, {}}, Case{LogLevel::kEvents, {"T event call 12 ringing"}},
                        Case{LogLevel::kLines, {"T event call 12 ringing", "T line  to client: GET CALL 12 "
                                                                           "PARTNER_DISPNAME"}}}) {
    MemoryLogFile files;
    LogWriter writer(files, stamp, c.level);
    EXPECT_EQ(writer.Start(), c.level != LogLevel::kOff);
    SetLogSink(&writer);
    LogEvent("call ", 12, " ringing");
    LogDetail("to client: ", "GET CALL ", 12u, " PARTNER_DISPNAME");
    SetLogSink(nullptr);
    writer.Stop();
    EXPECT_EQ(Lines(files.current), c.lines) << static_cast<int>(c.level);
    EXPECT_EQ(files.opens, c.level == LogLevel::kOff ? 0 : 1) << "level 0 makes no file";
  }
}

TEST_F(LogWriterTest, PastTheLimitANewFileStartsAndOnePreviousFileIsKept) {
  LogWriter writer(file, stamp, LogLevel::kEvents, LogLimits{100, 1000});
  ASSERT_TRUE(writer.Start());
  // Each line is "T event line NN\r\n": 17 bytes, so five fit in a file.
  for (int i = 10; i < 40; ++i) writer.Write(LogLevel::kEvents, "line " + std::to_string(i));
  writer.Stop();
  EXPECT_EQ(file.newFiles, 5);
  EXPECT_LE(file.previous.size(), 100u);
  EXPECT_LE(file.current.size(), 100u);
  const std::vector<std::string> previous = Lines(file.previous);
  const std::vector<std::string> current = Lines(file.current);
  ASSERT_EQ(previous.size(), 5u);
  ASSERT_EQ(current.size(), 5u);
  EXPECT_EQ(previous.front(), "T event line 30");
  EXPECT_EQ(current.back(), "T event line 39");
}

TEST_F(LogWriterTest, LinesBeyondAFullQueueAreCountedAndTheCountWrittenAfter) {
  LogWriter writer(file, stamp, LogLevel::kEvents, LogLimits{1 << 20, 3});
  ASSERT_TRUE(writer.Start());
  file.Hold();
  writer.Write(LogLevel::kEvents, "first");
  ASSERT_TRUE(file.WaitForAppends(1));  // the writer holds "first"
  for (int i = 2; i <= 10; ++i) writer.Write(LogLevel::kEvents, "line " + std::to_string(i));
  file.Release();
  writer.Stop();
  EXPECT_EQ(Lines(file.current),
            (std::vector<std::string>{"T event first", "T event line 2", "T event line 3", "T event line 4",
                                      "T event 6 lines were not written: the log fell behind"}));
}

TEST_F(LogWriterTest, AFileThatCannotBeOpenedOrWrittenTurnsTheLogOffAfterOneAttempt) {
  file.openable = false;
  LogWriter closed(file, stamp, LogLevel::kEvents);
  EXPECT_FALSE(closed.Start());
  EXPECT_EQ(closed.Level(), LogLevel::kOff);
  closed.Write(LogLevel::kEvents, "nothing");
  EXPECT_EQ(file.appends, 0);

  MemoryLogFile failing;
  failing.failFromAppend = 2;
  LogWriter writer(failing, stamp, LogLevel::kEvents);
  ASSERT_TRUE(writer.Start());
  writer.Write(LogLevel::kEvents, "written");
  writer.Write(LogLevel::kEvents, "fails");
  writer.Flush(20s);
  EXPECT_EQ(writer.Level(), LogLevel::kOff);
  writer.Write(LogLevel::kEvents, "after");
  writer.Stop();
  EXPECT_EQ(failing.appends, 2);
  EXPECT_EQ(Lines(failing.current), std::vector<std::string>{"T event written"});
}

TEST_F(LogWriterTest, LinesFromManyThreadsAreAllWrittenEachThreadsInItsOrder) {
  LogWriter writer(file, stamp, LogLevel::kEvents, LogLimits{1 << 20, 100000});
  ASSERT_TRUE(writer.Start());
  SetLogSink(&writer);
  constexpr int kThreads = 4;
  constexpr int kEach = 300;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < kEach; ++i) LogEvent(t, " ", i);
    });
  }
  for (std::thread& thread : threads) thread.join();
  SetLogSink(nullptr);
  writer.Stop();
  std::vector<int> next(kThreads, 0);
  const std::vector<std::string> lines = Lines(file.current);
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kThreads * kEach));
  for (const std::string& line : lines) {
    std::istringstream in(line.substr(std::string("T event ").size()));
    int t = -1;
    int i = -1;
    in >> t >> i;
    ASSERT_TRUE(t >= 0 && t < kThreads) << line;
    EXPECT_EQ(i, next[t]++) << line;
  }
}

}  // namespace
}  // namespace tolvane
