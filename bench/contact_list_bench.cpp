// A large contact list arriving from the client: one USERS reply naming
// every contact, then a display name and a status change for each, in the
// order the replies come back (not sorted). The whole burst must be taken in
// well under a second, and ten times the contacts may cost at most about
// twelve times the time: the figures end with the ratio between sizes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "../tests/core/fakes/null_skype_link.h"
#include "phone_state/contact_list.h"

namespace tolvane {
namespace {

struct Burst {
  std::string usersLine = "USERS";
  std::vector<std::string> handles;
  std::vector<std::string> names;
  std::vector<int> statuses;
  std::vector<std::size_t> order;  // the order in which names and statuses arrive
};

Burst MakeBurst(std::size_t count) {
  Burst burst;
  std::mt19937 random(20240611u);
  std::uniform_int_distribution<int> letter('a', 'z');
  std::uniform_int_distribution<int> status(0, 7);
  for (std::size_t i = 0; i < count; ++i) {
    burst.handles.push_back("user." + std::to_string(i));
    std::string name;
    for (int c = 0; c < 12; ++c) name += static_cast<char>(c == 0 ? letter(random) - 32 : letter(random));
    burst.names.push_back(name);
    burst.statuses.push_back(status(random));  // about one in eight stays offline
    burst.usersLine += (i == 0 ? " " : ", ") + burst.handles.back();
    burst.order.push_back(i);
  }
  std::shuffle(burst.order.begin(), burst.order.end(), random);
  return burst;
}

// The link takes the DISPLAYNAME queries and keeps nothing: what is timed is
// the store's work, not a fake's record of its commands.
void TakeBurst(const Burst& burst) {
  testing::NullSkypeLink link;
  ContactList list{link};
  list.TakeUsersReply(burst.usersLine.c_str());
  for (std::size_t i : burst.order) {
    const std::string& name = burst.names[i];
    list.SetContactName(burst.handles[i].c_str(), name.c_str(), static_cast<int>(name.size() + 1));
  }
  for (std::size_t i : burst.order) list.SetContactStatus(burst.handles[i].c_str(), burst.statuses[i]);
  std::int32_t count = 0;
  list.GetContactCount(&count);
  benchmark::DoNotOptimize(count);
}

void BM_UsersNamesAndStatuses(benchmark::State& state) {
  const Burst burst = MakeBurst(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) TakeBurst(burst);
  state.SetItemsProcessed(state.iterations() * state.range(0) * 3);
}
BENCHMARK(BM_UsersNamesAndStatuses)->Arg(500)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);

// The console figures, then the time per burst of each size against the
// size before it.
class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
        times_.push_back({run.benchmark_name(), run.GetAdjustedCPUTime()});
      }
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (std::size_t i = 1; i < times_.size(); ++i) {
      std::printf("%s / %s: %.1fx\n", times_[i].first.c_str(), times_[i - 1].first.c_str(),
                  times_[i].second / times_[i - 1].second);
    }
  }

 private:
  std::vector<std::pair<std::string, double>> times_;
};

}  // namespace
}  // namespace tolvane

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  tolvane::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
