#include "common/periodic_worker.h"

#include <utility>

namespace tolvane {

PeriodicWorker::PeriodicWorker(std::string role, ThreadStarter& threads)
    : role_(std::move(role)), threads_(threads) {}

PeriodicWorker::~PeriodicWorker() { Stop(); }

bool PeriodicWorker::Start(std::chrono::milliseconds period, Round round) {
  std::lock_guard<std::mutex> owner(threadLock_);
  if (thread_.joinable()) return false;
  {
    std::lock_guard<std::mutex> hold(lock_);
    stopRequested_ = false;
  }
  return threads_.Start(thread_, role_, [this, period, round = std::move(round)] { Run(period, round); });
}

void PeriodicWorker::RequestStop() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    stopRequested_ = true;
  }
  wake_.notify_all();
}

void PeriodicWorker::Stop() {
  // Held through the join, so that no new worker starts while the old one
  // may still run its last round.
  std::lock_guard<std::mutex> owner(threadLock_);
  RequestStop();
  if (thread_.joinable()) thread_.join();
}

bool PeriodicWorker::Started() const {
  std::lock_guard<std::mutex> owner(threadLock_);
  return thread_.joinable();
}

void PeriodicWorker::Run(std::chrono::milliseconds period, const Round& round) {
  std::unique_lock<std::mutex> hold(lock_);
  while (!stopRequested_) {
    hold.unlock();
    const bool more = round();
    hold.lock();
    if (!more) break;
    wake_.wait_for(hold, period, [this] { return stopRequested_; });
  }
}

}  // namespace tolvane
