#include "logging/log_writer.h"

#include <utility>

namespace tolvane {
namespace {

std::string_view LevelName(LogLevel level) { return level == LogLevel::kLines ? "line " : "event"; }

}  // namespace

LogWriter::LogWriter(LogFile& file, LineStamp& stamp, LogLevel level, LogLimits limits, ThreadStarter& threads)
    : file_(file), stamp_(stamp), limits_(limits), threads_(threads), configured_(level) {}

LogWriter::~LogWriter() { Stop(); }

bool LogWriter::Start() {
  if (configured_ == LogLevel::kOff || thread_.joinable()) return false;
  if (!file_.Open()) return false;
  running_ = true;  // no other thread yet
  if (!threads_.Start(thread_, "log writer", [this] { Run(); })) {
    running_ = false;
    file_.Close();
    return false;
  }
  level_.store(configured_);
  return true;
}

void LogWriter::Stop() {
  if (!thread_.joinable()) return;
  level_.store(LogLevel::kOff);
  {
    std::lock_guard<std::mutex> hold(lock_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
  file_.Close();
}

LogLevel LogWriter::Level() const { return level_.load(std::memory_order_relaxed); }

void LogWriter::Write(LogLevel level, std::string_view text) {
  if (level == LogLevel::kOff || static_cast<int>(level) > static_cast<int>(Level())) return;
  std::string line = stamp_.Stamp();
  line.append(" ").append(LevelName(level)).append(" ").append(text).append("\r\n");
  {
    std::lock_guard<std::mutex> hold(lock_);
    if (stopping_) return;
    if (queue_.size() >= limits_.queuedLines) {
      ++dropped_;
      return;
    }
    queue_.push_back(std::move(line));
  }
  wake_.notify_one();
}

void LogWriter::Flush(std::chrono::milliseconds bound) {
  std::unique_lock<std::mutex> hold(lock_);
  written_.wait_for(hold, bound, [this] { return !running_ || (queue_.empty() && !writing_); });
}

void LogWriter::Run() {
  std::deque<std::string> batch;
  for (;;) {
    std::uint64_t dropped = 0;
    bool stop = false;
    {
      std::unique_lock<std::mutex> hold(lock_);
      writing_ = false;
      written_.notify_all();
      wake_.wait(hold, [this] { return !queue_.empty() || dropped_ != 0 || stopping_; });
      batch.swap(queue_);
      dropped = std::exchange(dropped_, 0);
      stop = stopping_ && batch.empty() && dropped == 0;
      writing_ = !stop;
    }
    if (stop) break;
    for (const std::string& line : batch) WriteOne(line);
    batch.clear();
    if (dropped != 0) {
      WriteOne(stamp_.Stamp() + " event " + std::to_string(dropped) +
               " lines were not written: the log fell behind\r\n");
    }
  }
  std::lock_guard<std::mutex> hold(lock_);
  running_ = false;
  written_.notify_all();
}

void LogWriter::WriteOne(const std::string& line) {
  if (failed_) return;
  const std::uint64_t size = file_.Size();
  if (size != 0 && size + line.size() > limits_.fileBytes && !file_.StartNew()) {
    TurnOff();
    return;
  }
  if (!file_.Append(line)) TurnOff();
}

void LogWriter::TurnOff() {
  failed_ = true;
  level_.store(LogLevel::kOff);
  file_.Close();
}

}  // namespace tolvane
