#pragma once
// A thread that runs one round of work, then waits out its period, until it
// is stopped or a round says it is done. Stopping wakes the wait at once and
// joins the thread, so whoever stops it knows the work has ended.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "common/thread_starter.h"

namespace tolvane {

class PeriodicWorker {
 public:
  // One round; false ends the worker.
  using Round = std::function<bool()>;

  // `role` names the worker's thread to the starter.
  explicit PeriodicWorker(std::string role = "periodic worker", ThreadStarter& threads = DefaultThreadStarter());
  PeriodicWorker(const PeriodicWorker&) = delete;
  PeriodicWorker& operator=(const PeriodicWorker&) = delete;
  ~PeriodicWorker();  // stops and joins

  // False when a worker has been started and not yet stopped (it may have
  // ended on its own): one worker at a time. False too when no thread could
  // be created; the worker then counts as not started.
  bool Start(std::chrono::milliseconds period, Round round);
  // Asks the worker to end without waiting for it; any thread.
  void RequestStop();
  // Asks it to end and joins it. Not from the worker's own round.
  void Stop();
  // Started and not stopped.
  bool Started() const;

 private:
  void Run(std::chrono::milliseconds period, const Round& round);

  const std::string role_;
  ThreadStarter& threads_;
  // Guards thread_; taken before lock_, never by the worker.
  mutable std::mutex threadLock_;
  // Guards stopRequested_; the worker waits on it.
  std::mutex lock_;
  std::condition_variable wake_;
  bool stopRequested_ = false;
  std::thread thread_;
};

}  // namespace tolvane
