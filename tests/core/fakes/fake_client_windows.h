#pragma once
// A ClientWindowProbe that answers from the set of window classes the test
// has opened.
#include <mutex>
#include <set>
#include <string>

#include "interfaces/client_window_probe.h"

namespace tolvane::testing {

class FakeClientWindows final : public ClientWindowProbe {
 public:
  void Open(const std::string& className) {
    std::lock_guard<std::mutex> hold(lock_);
    open_.insert(className);
  }
  void Close(const std::string& className) {
    std::lock_guard<std::mutex> hold(lock_);
    open_.erase(className);
  }
  bool WindowExists(const char* className) const override {
    std::lock_guard<std::mutex> hold(lock_);
    return open_.count(className) != 0;
  }

 private:
  mutable std::mutex lock_;
  std::set<std::string> open_;
};

}  // namespace tolvane::testing
