#include "handset/report_queue.h"

namespace tolvane {

void ReportQueue::Push(std::uint32_t report) {
  {
    std::lock_guard<std::mutex> hold(lock_);
    reports_.push_back(report);
  }
  changed_.notify_one();
}

void ReportQueue::Clear() {
  std::lock_guard<std::mutex> hold(lock_);
  reports_.clear();
}

std::optional<std::uint32_t> ReportQueue::WaitPop(const std::atomic<int>& run) {
  std::unique_lock<std::mutex> hold(lock_);
  changed_.wait(hold, [&] { return run.load() == 0 || !reports_.empty(); });
  if (run.load() == 0) return std::nullopt;
  std::uint32_t report = reports_.front();
  reports_.pop_front();
  return report;
}

void ReportQueue::Wake() {
  { std::lock_guard<std::mutex> hold(lock_); }
  changed_.notify_all();
}

}  // namespace tolvane
