#pragma once
// The log's writer: the threads that log hand it a line and return; its own
// thread, asleep on a condition variable while there is nothing to write,
// writes the lines in order. It keeps the current file under a size limit by
// starting a new one (the previous file is kept, so two at most). When its
// queue is full, lines are counted instead and the count is written once
// there is room. A file that cannot be opened or written turns the log off
// for the rest of the run; nothing else notices.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "common/log.h"
#include "common/thread_starter.h"
#include "logging/log_file.h"

namespace tolvane {

struct LogLimits {
  // A file that would grow past this is kept as the previous one.
  std::uint64_t fileBytes = 1024 * 1024;
  // Lines waiting to be written; more are counted.
  std::size_t queuedLines = 4096;
};

class LogWriter final : public LogSink {
 public:
  LogWriter(LogFile& file, LineStamp& stamp, LogLevel level, LogLimits limits = {},
            ThreadStarter& threads = DefaultThreadStarter());
  LogWriter(const LogWriter&) = delete;
  LogWriter& operator=(const LogWriter&) = delete;
  ~LogWriter() override;  // Stop()

  // Opens the file and starts the thread. False (and the log off) at level 0,
  // or when the file cannot be opened or no thread can be had.
  bool Start();
  // Writes every line taken so far, then joins the thread. Idempotent.
  void Stop();

  void Write(LogLevel level, std::string_view text) override;
  LogLevel Level() const override;
  void Flush(std::chrono::milliseconds bound) override;

 private:
  void Run();
  void WriteOne(const std::string& line);
  void TurnOff();

  LogFile& file_;
  LineStamp& stamp_;
  const LogLimits limits_;
  ThreadStarter& threads_;
  // What is written: the configured level while the log works, kOff before
  // it starts, after it stops and once the file has failed.
  std::atomic<LogLevel> level_{LogLevel::kOff};
  const LogLevel configured_;

  std::mutex lock_;
  std::condition_variable wake_;     // lines to write, or stop
  std::condition_variable written_;  // the queue has been written out
  std::deque<std::string> queue_;
  std::uint64_t dropped_ = 0;
  bool writing_ = false;  // the thread holds a batch taken from the queue
  bool stopping_ = false;
  bool running_ = false;  // the thread has been started and has not ended
  // Only the writer's thread touches the file once it has started.
  bool failed_ = false;
  std::thread thread_;
};

}  // namespace tolvane
