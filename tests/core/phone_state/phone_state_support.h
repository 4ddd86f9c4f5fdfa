#pragma once
// Helpers shared by the call store's tests: a clock pinned to a known zone,
// and short ways to fill and read the history.
#include <chrono>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "phone_state/local_clock.h"
#include "phone_state/phone_state.h"

namespace tolvane::testing {

// A clock in a fixed zone (UTC plus offsetSeconds, no daylight saving),
// converted by the calendar arithmetic of the standard library so that the
// texts are the same on every host and under Wine.
class FixedZoneClock final : public LocalClock {
 public:
  explicit FixedZoneClock(long long offsetSeconds = 0, long long now = 0)
      : offset(offsetSeconds), nowValue(now) {}

  void SetNow(long long now) { nowValue = now; }

  std::int64_t Now() const override { return nowValue; }

  bool ToLocal(std::int64_t secondsSinceEpoch, std::tm* out) const override {
    using namespace std::chrono;
    const sys_seconds moment{seconds{secondsSinceEpoch + offset}};
    const sys_days day = floor<days>(moment);
    const year_month_day date{day};
    const hh_mm_ss<seconds> time{moment - day};
    *out = std::tm{};
    out->tm_year = static_cast<int>(date.year()) - 1900;
    out->tm_mon = static_cast<int>(static_cast<unsigned>(date.month())) - 1;
    out->tm_mday = static_cast<int>(static_cast<unsigned>(date.day()));
    out->tm_hour = static_cast<int>(time.hours().count());
    out->tm_min = static_cast<int>(time.minutes().count());
    out->tm_sec = static_cast<int>(time.seconds().count());
    out->tm_wday = static_cast<int>(weekday{day}.c_encoding());
    return true;
  }

 private:
  long long offset;
  long long nowValue;
};

// Length as the store's callers pass it: characters plus the terminator.
inline int WithTerminator(const char* text) { return static_cast<int>(std::strlen(text)) + 1; }

inline std::vector<int> HistoryIds(IPhoneState& store) {
  int count = 0;
  store.GetHistoryCount(&count);
  std::vector<int> ids;
  for (int i = 0; i < count; ++i) {
    int id = -1;
    store.GetHistoryCallId(i, &id);
    ids.push_back(id);
  }
  return ids;
}

// Appends a listed entry with the fields browsing and counting look at.
inline void AddListed(IPhoneState& store, int id, int type, int status, int seen = 0) {
  store.AddHistoryCall(id, 0);
  store.SetHistoryType(id, type);
  store.SetHistoryStatus(id, status);
  store.SetHistorySeen(id, seen);
}

// Reads a text through one of the character readers until it reports the end.
template <typename Reader>
std::string ReadAll(Reader read, int limit = 400) {
  std::string text;
  char c = 0;
  while (limit-- > 0 && read(&c) == kOk) text.push_back(c);
  return text;
}

}  // namespace tolvane::testing
