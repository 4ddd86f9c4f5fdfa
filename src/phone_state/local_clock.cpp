#include "phone_state/local_clock.h"

namespace tolvane {
namespace {

class SystemClock final : public LocalClock {
 public:
  std::int64_t Now() const override { return static_cast<std::int64_t>(std::time(nullptr)); }

  bool ToLocal(std::int64_t secondsSinceEpoch, std::tm* out) const override {
    const std::time_t moment = static_cast<std::time_t>(secondsSinceEpoch);
    // The reentrant forms: the store is used from several threads, and the
    // plain localtime shares one static result.
#if defined(_WIN32)
    return localtime_s(out, &moment) == 0;
#else
    return localtime_r(&moment, out) != nullptr;
#endif
  }
};

}  // namespace

const LocalClock& SystemLocalClock() {
  static const SystemClock clock;
  return clock;
}

}  // namespace tolvane
