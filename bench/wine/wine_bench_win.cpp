// The Wine benchmarks: Tolvane.exe between the two simulators, measured.
//   wine_bench.exe [idle] [latency] [soak [<calls>]]
// Without arguments: idle and latency (what `make bench` runs); `make soak`
// runs the soak of 1,000 calls. Figures go to stdout; this is not a test.
#include <cstdlib>
#include <cstring>
#include <string>

#include "wine_benches_win.h"

namespace tolvane::bench {

std::string CallScenario() {
  return "friends alice.example, bob.example\n"
         "user alice.example Alice Example\n"
         "user bob.example Bob Example\n"
         "callee bob.example answer 300\n"
         "history-delay off\n";
}

}  // namespace tolvane::bench

int main(int argc, char** argv) {
  using namespace tolvane::bench;
  bool idle = argc == 1;
  bool latency = argc == 1;
  int soakCalls = 0;
  for (int n = 1; n < argc; ++n) {
    if (std::strcmp(argv[n], "idle") == 0) idle = true;
    if (std::strcmp(argv[n], "latency") == 0) latency = true;
    if (std::strcmp(argv[n], "soak") == 0) {
      soakCalls = n + 1 < argc && std::atoi(argv[n + 1]) > 0 ? std::atoi(argv[++n]) : 1000;
    }
  }
  int failed = 0;
  if (idle) failed |= RunIdle(std::chrono::seconds(30));
  if (latency) failed |= RunLatency(200);
  if (soakCalls > 0) failed |= RunSoak(soakCalls);
  return failed;
}
