#pragma once
// A first-in-first-out queue of text lines shared between threads. Producers
// push copies; one consumer waits on a condition variable instead of polling.
// Stop() releases every waiter for good: the owner calls it on the way down.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <string>

namespace tolvane {

class LineQueue {
 public:
  // Appends at the back and wakes a waiting consumer. After Stop() the line
  // is dropped: nobody is left to take it.
  void Push(std::string line);

  // The front line, waiting as long as it takes; nullopt once stopped.
  std::optional<std::string> WaitPop();

  // The front line, waiting at most `timeout`; nullopt on time-out or once
  // stopped.
  std::optional<std::string> WaitPopFor(std::chrono::milliseconds timeout);

  void Clear();
  std::size_t Size() const;

  void Stop();
  bool Stopped() const;

 private:
  std::optional<std::string> PopFrontLocked();

  mutable std::mutex lock_;
  std::condition_variable arrived_;
  std::deque<std::string> lines_;
  bool stopped_ = false;
};

}  // namespace tolvane
