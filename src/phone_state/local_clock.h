#pragma once
// Where the store gets "now" and the local calendar from. The handset shows
// call times and the time of day in local time; the conversion is a port so
// that it can be pinned to a known zone where the result must be exact.
#include <cstdint>
#include <ctime>

namespace tolvane {

class LocalClock {
 public:
  // Seconds since 1 January 1970 UTC.
  virtual std::int64_t Now() const = 0;
  // Breaks a moment down into the local calendar; false when it cannot.
  virtual bool ToLocal(std::int64_t secondsSinceEpoch, std::tm* out) const = 0;

 protected:
  ~LocalClock() = default;
};

// The platform's clock and local-time service.
const LocalClock& SystemLocalClock();

}  // namespace tolvane
