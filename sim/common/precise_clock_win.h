#pragma once
// The simulators' shared clock, for measuring how long the program takes
// from a line one simulator sends to what the other one receives. With
// TOLVANE_SIM_PRECISE_CLOCK=1 in the environment, each transcript line's
// time stamp is followed by "/<microseconds>" of QueryPerformanceCounter,
// which every process on the machine reads alike (under Wine too), so that
// a stamp of the client's transcript can be subtracted from one of the
// handset's. Without it the stamps stay as they were.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace simclock {

inline bool Enabled() {
  static const bool enabled = [] {
    const char* value = std::getenv("TOLVANE_SIM_PRECISE_CLOCK");
    return value != nullptr && std::strcmp(value, "1") == 0;
  }();
  return enabled;
}

// Microseconds of the performance counter.
inline long long NowMicroseconds() {
  static const long long frequency = [] {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return static_cast<long long>(static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency));
}

// "/<microseconds>" of `at` when the precise clock is on, else empty.
inline std::string Suffix(long long at) { return Enabled() ? "/" + std::to_string(at) : std::string(); }

}  // namespace simclock
