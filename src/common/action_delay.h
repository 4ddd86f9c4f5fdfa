#pragma once
// The pauses inside the session's actions (the client needs time between
// some commands). A pause must end early when the session is torn down, so
// that no action outlives the objects it uses.
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace tolvane {

class ActionDelay {
 public:
  virtual ~ActionDelay() = default;
  // Waits `duration`. False, at once or as soon as it happens, once Cancel()
  // has been called: the caller then abandons what it was doing.
  virtual bool Wait(std::chrono::milliseconds duration) = 0;
  // Ends every current and future Wait.
  virtual void Cancel() = 0;
};

// Real time, on a condition variable that Cancel() wakes.
class SteadyActionDelay final : public ActionDelay {
 public:
  bool Wait(std::chrono::milliseconds duration) override;
  void Cancel() override;

 private:
  std::mutex lock_;
  std::condition_variable cancelled_;
  bool cancel_ = false;
};

}  // namespace tolvane
