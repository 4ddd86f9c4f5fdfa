#pragma once
// The simulator's record of everything that crossed the wire, one line per
// event, written through at once:
//   HH:MM:SS.mmm +<ms since start> <kind> <text>
// (the time stamp followed by "/<microseconds>" of the shared clock when
// TOLVANE_SIM_PRECISE_CLOCK=1, precise_clock_win.h).
// Kinds: start, discover, attach, detach, recv, refused, send, send-refused,
// ctl, note. Tests read it and wait on its event; a person can watch it with
// `tail -f`.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

namespace simskype {

class Transcript {
 public:
  Transcript() = default;
  Transcript(const Transcript&) = delete;
  Transcript& operator=(const Transcript&) = delete;
  ~Transcript();

  bool Open(const std::string& path, const std::string& eventName);
  void Write(std::string_view kind, std::string_view text = {});
  // Stamped with `at` (simclock::NowMicroseconds) on the shared clock: when
  // a send began rather than when it returned.
  void Write(std::string_view kind, std::string_view text, long long at);

 private:
  std::FILE* file_ = nullptr;
  HANDLE written_ = nullptr;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace simskype
