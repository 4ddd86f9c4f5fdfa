#include "session/line_queue.h"

#include <utility>

namespace tolvane {

bool LineQueue::Push(std::string line) {
  {
    std::lock_guard<std::mutex> hold(lock_);
    if (stopped_) return false;
    if (lines_.size() >= limits_.lines || line.size() > limits_.bytes - bytes_) {
      ++dropped_;
      return false;
    }
    bytes_ += line.size();
    lines_.push_back(std::move(line));
  }
  arrived_.notify_one();
  return true;
}

std::uint64_t LineQueue::DroppedLines() const {
  std::lock_guard<std::mutex> hold(lock_);
  return dropped_;
}

std::optional<std::string> LineQueue::WaitPop() {
  std::unique_lock<std::mutex> hold(lock_);
  arrived_.wait(hold, [this] { return stopped_ || woken_ || !lines_.empty(); });
  return PopFrontLocked();
}

std::optional<std::string> LineQueue::WaitPopFor(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> hold(lock_);
  arrived_.wait_for(hold, timeout, [this] { return stopped_ || woken_ || !lines_.empty(); });
  return PopFrontLocked();
}

std::optional<std::string> LineQueue::PopFrontLocked() {
  // A wake is answered by whatever the waiter does next, a line included.
  woken_ = false;
  if (stopped_ || lines_.empty()) return std::nullopt;
  std::string line = std::move(lines_.front());
  lines_.pop_front();
  bytes_ -= line.size();
  return line;
}

void LineQueue::Wake() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    woken_ = true;
  }
  arrived_.notify_one();
}

void LineQueue::Clear() {
  std::lock_guard<std::mutex> hold(lock_);
  lines_.clear();
  bytes_ = 0;
}

void LineQueue::Stop() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    stopped_ = true;
    lines_.clear();
    bytes_ = 0;
  }
  arrived_.notify_all();
}

bool LineQueue::Stopped() const {
  std::lock_guard<std::mutex> hold(lock_);
  return stopped_;
}

}  // namespace tolvane
