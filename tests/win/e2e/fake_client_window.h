#pragma once
// The Skype client's API window, played inside the test process: a hidden
// top-level window (so that the discover broadcast reaches it) that records
// into an EventLog what the program sends it:
//   "got <line>", "refused <line>", "block dwData=<n> cbData=<n>",
//   "discover", "detach".
// It refuses the next line on request, and can stall to play a hung client.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "core/fakes/event_log.h"

namespace tolvane::testing {

class FakeClientWindow {
 public:
  using Clock = std::chrono::steady_clock;

  // Create on the UI thread.
  FakeClientWindow(EventLog& log, UINT discoverMessage) : log_(log), discover_(discoverMessage) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TolvaneTestClientApi";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              windowClass.hInstance, this);
  }
  FakeClientWindow(const FakeClientWindow&) = delete;
  FakeClientWindow& operator=(const FakeClientWindow&) = delete;
  // Destroy on the UI thread.
  ~FakeClientWindow() { DestroyWindow(window_); }

  HWND Handle() const { return window_; }
  void RefuseNext() { refuseNext_.store(true); }
  // The next line is answered only after this long.
  void StallNext(std::chrono::milliseconds duration) { stall_.store(duration.count()); }

  // When the event was first recorded (Clock::time_point{} if never).
  Clock::time_point FirstSeen(const std::string& event) const {
    std::lock_guard<std::mutex> hold(lock_);
    const auto found = seen_.find(event);
    return found != seen_.end() ? found->second : Clock::time_point{};
  }

 private:
  void Record(std::string event) {
    {
      std::lock_guard<std::mutex> hold(lock_);
      seen_.emplace(event, Clock::now());
    }
    log_.Add(std::move(event));
  }

  LRESULT OnCopyData(const COPYDATASTRUCT& block) {
    Record("block dwData=" + std::to_string(block.dwData) + " cbData=" + std::to_string(block.cbData));
    const char* text = static_cast<const char*>(block.lpData);
    const void* end = std::memchr(text, '\0', block.cbData);
    const std::string line(text, end != nullptr ? static_cast<const char*>(end) - text : block.cbData);
    if (const auto stall = stall_.exchange(0); stall > 0) Sleep(static_cast<DWORD>(stall));
    if (refuseNext_.exchange(false)) {
      Record("refused " + line);
      return FALSE;
    }
    Record("got " + line);
    return TRUE;
  }

  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrA(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<FakeClientWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_COPYDATA) {
      return self->OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    }
    if (self != nullptr && message == self->discover_) {
      self->Record(wParam == 0 ? "detach" : "discover");
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  EventLog& log_;
  const UINT discover_;
  HWND window_ = nullptr;
  std::atomic<bool> refuseNext_{false};
  std::atomic<long long> stall_{0};
  mutable std::mutex lock_;
  std::map<std::string, Clock::time_point> seen_;
};

}  // namespace tolvane::testing
