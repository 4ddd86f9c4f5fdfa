#pragma once
// A first-in-first-out queue of text lines shared between threads. Producers
// push copies; one consumer waits on a condition variable instead of polling.
// Wake() releases the waiter once without a line, so that the consumer can
// do something else than take a line (the incoming worker looks for the
// client's windows). Stop() releases every waiter for good: the owner calls
// it on the way down.
//
// The queue is bounded in lines and in bytes, so that a process flooding
// the program with lines cannot grow its memory without end; a line that
// finds the queue full is dropped and counted.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>

namespace tolvane {

class LineQueue {
 public:
  struct Limits {
    std::size_t lines;
    std::size_t bytes;
  };
  // Far above any real burst: a history of 10,000 calls comes as some
  // 60,000 short replies, a list of 50,000 contacts as one line of about a
  // megabyte, and the workers take lines as fast as they come.
  static constexpr Limits kDefaultLimits{250'000, 64u << 20};

  explicit LineQueue(Limits limits = kDefaultLimits) : limits_(limits) {}

  // Appends at the back and wakes a waiting consumer; false when the line
  // was dropped: after Stop() (nobody is left to take it) or because the
  // queue is full (counted in DroppedLines).
  bool Push(std::string line);

  // How many lines have been dropped because the queue was full.
  std::uint64_t DroppedLines() const;

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

  const Limits limits_;
  mutable std::mutex lock_;
  std::condition_variable arrived_;
  std::deque<std::string> lines_;
  std::size_t bytes_ = 0;  // of the lines queued
  std::uint64_t dropped_ = 0;
  bool stopped_ = false;
  bool woken_ = false;
};

}  // namespace tolvane
