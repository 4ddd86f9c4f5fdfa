#pragma once
// A handset library that records the display characters it is sent. A test
// can make one call block until released (to catch a stream mid-way without
// sleeping) or make the handset refuse characters from some call on.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <utility>
#include <vector>

#include "interfaces/hid_ctrl_library.h"

namespace tolvane::testing {

using DisplayChar = std::pair<int, int>;  // code, parameter

class FakeHidCtrl final : public QorHidCtrl {
 public:
  static constexpr std::size_t kNever = static_cast<std::size_t>(-1);

  int TOLVANE_STDCALL Reserved0() override { return 0; }
  int TOLVANE_STDCALL CloseDevice() override { return 0; }
  int TOLVANE_STDCALL Reserved2() override { return 0; }
  int TOLVANE_STDCALL OpenDevice() override { return 0; }
  int TOLVANE_STDCALL ShutdownDevice() override { return 0; }
  int TOLVANE_STDCALL StartDevice(WindowHandle /*notify*/) override { return 0; }
  int TOLVANE_STDCALL AbortStart() override { return 0; }
  int TOLVANE_STDCALL Reserved7() override { return 0; }
  int TOLVANE_STDCALL SendCode(std::uint8_t /*code*/) override { return 0; }
  int TOLVANE_STDCALL WriteDeviceSetting(int, int, int) override { return 0; }
  int TOLVANE_STDCALL Reserved11() override { return 0; }
  int TOLVANE_STDCALL SetDisplayRenderer(DisplayRenderer* /*renderer*/) override { return 0; }

  int TOLVANE_STDCALL SendDisplayChar(int code, int parameter) override {
    std::unique_lock lock(mutex_);
    const std::size_t index = sent_.size();
    sent_.emplace_back(code, parameter);
    changed_.notify_all();
    if (index == blockAt_) changed_.wait(lock, [this] { return released_; });
    return index >= refuseFrom_ ? 1 : 0;
  }

  // The call with this index (0 = first) waits inside SendDisplayChar until
  // Release().
  void BlockAtCall(std::size_t index) {
    std::lock_guard lock(mutex_);
    blockAt_ = index;
  }
  void Release() {
    std::lock_guard lock(mutex_);
    released_ = true;
    changed_.notify_all();
  }
  void RefuseFromCall(std::size_t index) {
    std::lock_guard lock(mutex_);
    refuseFrom_ = index;
  }

  // True once `count` calls have been made (the blocked one counts), false
  // after a generous deadline.
  bool WaitForCalls(std::size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return sent_.size() >= count; });
  }

  std::vector<DisplayChar> Sent() const {
    std::lock_guard lock(mutex_);
    return sent_;
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<DisplayChar> sent_;
  std::size_t blockAt_ = kNever;
  std::size_t refuseFrom_ = kNever;
  bool released_ = false;
};

}  // namespace tolvane::testing
