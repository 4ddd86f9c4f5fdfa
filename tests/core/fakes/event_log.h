#pragma once
// One ordered record of what fakes were asked to do, shared by every fake of
// a test so that the order across objects can be checked. Threads add to it;
// the test waits on it with a generous deadline instead of sleeping.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace tolvane::testing {

class EventLog {
 public:
  using Events = std::vector<std::string>;
  static constexpr std::chrono::seconds kDeadline{10};

  void Add(std::string event) {
    {
      std::lock_guard<std::mutex> hold(lock_);
      events_.push_back(std::move(event));
    }
    changed_.notify_all();
  }

  Events All() const {
    std::lock_guard<std::mutex> hold(lock_);
    return events_;
  }

  // Forgets what has been logged: a test's next part starts afresh.
  void Clear() {
    std::lock_guard<std::mutex> hold(lock_);
    events_.clear();
  }

  // The events that begin with `prefix`, in order.
  Events Matching(std::string_view prefix) const { return Filter(All(), prefix); }

  // The events that begin with any of the prefixes, in order.
  Events MatchingAny(std::initializer_list<std::string_view> prefixes) const {
    Events kept;
    for (const std::string& e : All()) {
      for (std::string_view p : prefixes) {
        if (e.starts_with(p)) {
          kept.push_back(e);
          break;
        }
      }
    }
    return kept;
  }

  std::size_t Count(std::string_view event) const {
    Events all = All();
    return static_cast<std::size_t>(std::count(all.begin(), all.end(), event));
  }

  bool WaitUntil(const std::function<bool(const Events&)>& done,
                 std::chrono::milliseconds deadline = kDeadline) const {
    std::unique_lock<std::mutex> hold(lock_);
    return changed_.wait_for(hold, deadline, [&] { return done(events_); });
  }

  // Waits until `event` has been added `times` times in all.
  bool WaitFor(std::string_view event, std::size_t times = 1,
               std::chrono::milliseconds deadline = kDeadline) const {
    return WaitUntil(
        [&](const Events& all) {
          return static_cast<std::size_t>(std::count(all.begin(), all.end(), event)) >= times;
        },
        deadline);
  }

  // Waits until `n` events beginning with `prefix` have been added.
  bool WaitForMatching(std::string_view prefix, std::size_t n,
                       std::chrono::milliseconds deadline = kDeadline) const {
    return WaitUntil([&](const Events& all) { return Filter(all, prefix).size() >= n; }, deadline);
  }

 private:
  static Events Filter(const Events& all, std::string_view prefix) {
    Events kept;
    for (const std::string& e : all) {
      if (e.starts_with(prefix)) kept.push_back(e);
    }
    return kept;
  }

  mutable std::mutex lock_;
  mutable std::condition_variable changed_;
  Events events_;
};

// For state that no event announces (a worker's run flag, a queue's length):
// checks `condition` until it holds or the deadline passes.
inline bool Eventually(const std::function<bool()>& condition,
                       std::chrono::milliseconds deadline = EventLog::kDeadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace tolvane::testing
