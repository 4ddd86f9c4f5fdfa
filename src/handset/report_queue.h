#pragma once
// The FIFO of handset reports between the main window (producer) and the
// report thread (consumer), guarded by one mutex. The consumer blocks on a
// condition variable until a report arrives or it is told to stop.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>

namespace tolvane {

class ReportQueue {
 public:
  void Push(std::uint32_t report);
  void Clear();

  // Waits for the front report and takes it off; nullopt once `run` is 0
  // (checked under the lock, so a Wake() after clearing it is never missed).
  std::optional<std::uint32_t> WaitPop(const std::atomic<int>& run);

  // Wakes a waiting consumer so that it looks at its run flag again.
  void Wake();

 private:
  mutable std::mutex lock_;
  std::condition_variable changed_;
  std::deque<std::uint32_t> reports_;
};

}  // namespace tolvane
