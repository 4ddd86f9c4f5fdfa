// Loading the call history the way the dispatcher does: every call of the
// client's list is added at the back, then its details arrive one reply at a
// time and each reply finds its entry by call id.
#include <benchmark/benchmark.h>

#include "phone_state/phone_state.h"

namespace tolvane {
namespace {

constexpr int kCalls = 10000;
constexpr int kRepliesPerCall = 3;

// Adds 10,000 calls and applies 30,000 by-id updates (type, status,
// duration), then marks every call complete as its last detail does.
void LoadHistory(benchmark::State& state) {
  for (auto _ : state) {
    PhoneState store;
    for (int id = 1; id <= kCalls; ++id) store.AddHistoryCall(id, 0);
    for (int id = 1; id <= kCalls; ++id) {
      store.SetHistoryType(id, id % 4);
      store.SetHistoryStatus(id, id % 3 == 0 ? 5 : 4);
      store.SetHistoryDuration(id, id);
      store.AddHistoryCall(id, 1);
    }
    int count = 0;
    store.CountUnseenMissedCalls(&count);
    benchmark::DoNotOptimize(count);
  }
  state.counters["calls"] = kCalls;
  state.counters["updates"] = kCalls * kRepliesPerCall;
}
BENCHMARK(LoadHistory)->Unit(benchmark::kMillisecond);

// The same updates in reverse order of arrival, so that every lookup is for
// an entry far from the front.
void UpdateFromTheBack(benchmark::State& state) {
  PhoneState store;
  for (int id = 1; id <= kCalls; ++id) store.AddHistoryCall(id, 0);
  for (auto _ : state) {
    for (int id = kCalls; id >= 1; --id) {
      store.SetHistoryType(id, 0);
      store.SetHistoryStatus(id, 4);
      store.SetHistoryDuration(id, id);
    }
  }
  state.counters["updates"] = kCalls * kRepliesPerCall;
}
BENCHMARK(UpdateFromTheBack)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tolvane

BENCHMARK_MAIN();
