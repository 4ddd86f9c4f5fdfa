#include "common/action_delay.h"

namespace tolvane {

bool SteadyActionDelay::Wait(std::chrono::milliseconds duration) {
  std::unique_lock<std::mutex> hold(lock_);
  return !cancelled_.wait_for(hold, duration, [this] { return cancel_; });
}

void SteadyActionDelay::Cancel() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    cancel_ = true;
  }
  cancelled_.notify_all();
}

}  // namespace tolvane
