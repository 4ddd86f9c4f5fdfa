#pragma once
// A first-in-first-out queue of text lines shared between threads. Producers
// push copies; one consumer waits on a condition variable instead of polling.
// Wake() releases the waiter once without a line, so that the consumer can
// do something else than take a line (the incoming worker looks for the
// client's windows). Stop() releases every waiter for good: the owner calls
// it on the way down.
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

  // The front line, waiting as long as it takes; nullopt once stopped or
  // woken.
  std::optional<std::string> WaitPop();

  // The front line, waiting at most `timeout`; nullopt on time-out, once
  // stopped or woken.
  std::optional<std::string> WaitPopFor(std::chrono::milliseconds timeout);

  // Ends the current or the next wait once, without a line. Wakes that come
  // before the waiter has seen the first count as one.
  void Wake();

  void Clear();

  void Stop();
  bool Stopped() const;

 private:
  std::optional<std::string> PopFrontLocked();

  mutable std::mutex lock_;
  std::condition_variable arrived_;
  std::deque<std::string> lines_;
  bool stopped_ = false;
  bool woken_ = false;
};

}  // namespace tolvane
