#pragma once
// The Wine benchmarks of wine_bench.exe, each printing its figures; 0 when
// it ran to the end.
#include <chrono>
#include <string>

namespace tolvane::bench {

// The client's contacts and callee, as the call tests have them; the client
// sends no history change of its own, so that the program is never made to
// reload it between calls.
std::string CallScenario();

int RunIdle(std::chrono::seconds window);
// `events` rings and twice as many hook keys.
int RunLatency(int events);
int RunSoak(int calls);

}  // namespace tolvane::bench
