#pragma once
// A ThreadStarter that refuses the next starts of the roles a test names,
// as a process out of threads would ("thread refused <role>" in the log),
// and starts every other thread for real.
#include <map>
#include <mutex>
#include <string>
#include <string_view>

#include "common/thread_starter.h"
#include "core/fakes/event_log.h"

namespace tolvane::testing {

class RefusingThreadStarter final : public ThreadStarter {
 public:
  explicit RefusingThreadStarter(EventLog& log) : log_(log) {}

  void RefuseNext(const std::string& role, int times = 1) {
    std::lock_guard<std::mutex> hold(lock_);
    refusals_[role] += times;
  }

  bool Start(std::thread& thread, std::string_view role, std::function<void()> body) override {
    {
      std::lock_guard<std::mutex> hold(lock_);
      auto refused = refusals_.find(std::string(role));
      if (refused != refusals_.end() && refused->second > 0) {
        --refused->second;
        log_.Add("thread refused " + std::string(role));
        return false;
      }
    }
    return real_.Start(thread, role, std::move(body));
  }

 private:
  EventLog& log_;
  StdThreadStarter real_;
  std::mutex lock_;
  std::map<std::string, int> refusals_;
};

}  // namespace tolvane::testing
