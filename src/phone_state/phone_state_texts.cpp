// The time texts the handset display pulls one character at a time: the
// selected entry's start time and duration, and the time of day.
#include <cstdio>

#include "phone_state/phone_state.h"

namespace tolvane {
namespace {

constexpr const char* kZeroTime = "00:00:00";

// Hours are not wrapped at 24, so a long call shows three or more digits.
std::string FormatDuration(long long seconds) {
  if (seconds == 0) return kZeroTime;
  char text[48];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  return text;
}

// Formats a moment in the clock's local calendar; "00:00:00" when the
// platform cannot convert it, which also stands for "no time known".
std::string FormatLocal(const LocalClock& clock, std::int64_t moment, const char* format) {
  std::tm local{};
  if (!clock.ToLocal(moment, &local)) return kZeroTime;
  char text[32];
  if (std::strftime(text, sizeof text, format, &local) == 0) return kZeroTime;
  return text;
}

// End of text: start over on the next call. A position beyond the end (the
// text was replaced without a fresh start) counts as the end as well.
Status ReadTextChar(const std::string& text, int& readPos, char* out) {
  if (out == nullptr || text.empty()) return kFail;
  if (readPos < 0 || static_cast<std::size_t>(readPos) >= text.size()) {
    readPos = 0;
    return kFail;
  }
  *out = text[static_cast<std::size_t>(readPos)];
  ++readPos;
  return kOk;
}

}  // namespace

Status PhoneState::FormatSelectedTimes() {
  std::lock_guard<std::recursive_mutex> hold(lock);
  // Month/day/two-digit year and hour:minute, 14 characters: 12/06/26 05:38.
  timestampText = viewTimestamp == 0 ? kZeroTime : FormatLocal(clock, viewTimestamp, "%m/%d/%y %H:%M");
  timestampReadPos = 0;
  durationText = FormatDuration(viewDuration);
  durationReadPos = 0;
  return kOk;
}

Status PhoneState::SetDurationText(unsigned int seconds) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  durationText = FormatDuration(seconds);
  durationReadPos = 0;
  return kOk;
}

Status PhoneState::FormatClock() {
  std::lock_guard<std::recursive_mutex> hold(lock);
  clockText = FormatLocal(clock, clock.Now(), "%H:%M:%S");
  clockReadPos = 0;
  return kOk;
}

Status PhoneState::ReadTimestampTextChar(char* out) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  return ReadTextChar(timestampText, timestampReadPos, out);
}

Status PhoneState::ReadClockTextChar(char* out) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  return ReadTextChar(clockText, clockReadPos, out);
}

Status PhoneState::ReadDurationTextChar(char* out) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  return ReadTextChar(durationText, durationReadPos, out);
}

}  // namespace tolvane
