#pragma once
// A ClientWindows that answers from the set of window classes the test has
// opened and from the page and grid state the test set. With an EventLog it
// records what the keys asked of the client's windows ("windows <Operation>
// ..."); the look-ups that only read are not recorded.
#include <atomic>
#include <mutex>
#include <set>
#include <string>

#include "core/fakes/event_log.h"
#include "interfaces/client_windows.h"

namespace tolvane::testing {

class FakeClientWindows final : public ClientWindows {
 public:
  explicit FakeClientWindows(EventLog* log = nullptr) : log_(log) {}

  std::atomic<int> selectedPage{0};
  std::atomic<bool> gridVisible{false};

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

  void CloseMainWindow() override { Add("CloseMainWindow"); }
  bool ActivateAndClose(const char* className) override {
    {
      std::lock_guard<std::mutex> hold(lock_);
      if (open_.erase(className) == 0) return false;
    }
    Add(std::string("ActivateAndClose ") + className);
    return true;
  }
  int SelectedPage() override { return selectedPage.load(); }
  void ClickPageControl() override { Add("ClickPageControl"); }
  bool DialGridVisible() override { return gridVisible.load(); }
  void ClickDialGrid() override { Add("ClickDialGrid"); }
  void RefindWindows() override { Add("RefindWindows"); }
  void PressBackspace() override { Add("PressBackspace"); }

 private:
  void Add(const std::string& what) {
    if (log_ != nullptr) log_->Add("windows " + what);
  }

  EventLog* log_;
  mutable std::mutex lock_;
  std::set<std::string> open_;
};

}  // namespace tolvane::testing
