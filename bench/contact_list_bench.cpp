// A large contact list arriving from the client: one USERS reply naming
// every contact, then a display name and a status change for each, in the
// order the replies come back (not sorted). The whole burst must be taken in
// well under a second, and ten times the contacts may cost at most about
// twelve times the time: the figures end with the ratio between sizes.
//
// The floor: the same burst into a plain hash map from handle to name and
// status, with no display order and nothing else. Its ratios are what the
// machine's caches alone make of ten times the contacts: three look-ups by
// handle per contact in a random order. Where the caches hold 5,000
// contacts but not 50,000, its ratio passes twelve too, and the store's
// ratio is to be read against it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "../tests/core/fakes/null_skype_link.h"
#include "phone_state/contact_list.h"

namespace tolvane {
namespace {

// One contact's name and status notifications, as they arrive.
struct Arrival {
  std::string handle;
  std::string name;
  int status = 1;
};

// The input is laid out in the order it is read, as lines come off a queue:
// what is timed is the store's own memory traffic, not that of scattered
// look-ups into the benchmark's tables.
struct Burst {
  std::string usersLine = "USERS";
  std::vector<Arrival> arrivals;  // the order in which names and statuses arrive
};

Burst MakeBurst(std::size_t count) {
  Burst burst;
  std::mt19937 random(20240611u);
  std::uniform_int_distribution<int> letter('a', 'z');
  std::uniform_int_distribution<int> status(0, 7);
  for (std::size_t i = 0; i < count; ++i) {
    Arrival arrival;
    arrival.handle = "user." + std::to_string(i);
    for (int c = 0; c < 12; ++c) arrival.name += static_cast<char>(c == 0 ? letter(random) - 32 : letter(random));
    arrival.status = status(random);  // about one in eight stays offline
    burst.usersLine += (i == 0 ? " " : ", ") + arrival.handle;
    burst.arrivals.push_back(std::move(arrival));
  }
  std::shuffle(burst.arrivals.begin(), burst.arrivals.end(), random);
  return burst;
}

// The link takes the DISPLAYNAME queries and keeps nothing: what is timed is
// the store's work, not a fake's record of its commands.
void TakeBurst(const Burst& burst) {
  testing::NullSkypeLink link;
  ContactList list{link};
  list.TakeUsersReply(burst.usersLine.c_str());
  for (const Arrival& arrival : burst.arrivals) {
    list.SetContactName(arrival.handle.c_str(), arrival.name.c_str(), static_cast<int>(arrival.name.size() + 1));
  }
  for (const Arrival& arrival : burst.arrivals) list.SetContactStatus(arrival.handle.c_str(), arrival.status);
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

struct PlainContact {
  std::string name;
  int status = 1;
};

void TakeBurstIntoPlainMap(const Burst& burst) {
  std::unordered_map<std::string_view, PlainContact> contacts;
  const std::string_view line = burst.usersLine;
  contacts.reserve(burst.arrivals.size());
  for (std::size_t at = line.find(' '); at != std::string_view::npos;) {
    const std::size_t start = at + 1;
    at = line.find(", ", start);
    contacts.try_emplace(line.substr(start, at == std::string_view::npos ? at : at - start));
    if (at != std::string_view::npos) ++at;
  }
  for (const Arrival& arrival : burst.arrivals) contacts.find(arrival.handle)->second.name = arrival.name;
  for (const Arrival& arrival : burst.arrivals) contacts.find(arrival.handle)->second.status = arrival.status;
  benchmark::DoNotOptimize(contacts.size());
}

void BM_FloorPlainHashMap(benchmark::State& state) {
  const Burst burst = MakeBurst(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) TakeBurstIntoPlainMap(burst);
  state.SetItemsProcessed(state.iterations() * state.range(0) * 3);
}
BENCHMARK(BM_FloorPlainHashMap)->Arg(500)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);

// The console figures, then for each benchmark the time per burst of each
// size against the size before it.
class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
        const std::string name = run.benchmark_name();
        times_[name.substr(0, name.find('/'))].push_back({name, run.GetAdjustedCPUTime()});
      }
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const auto& [family, times] : times_) {
      for (std::size_t i = 1; i < times.size(); ++i) {
        std::printf("%s / %s: %.1fx\n", times[i].first.c_str(), times[i - 1].first.c_str(),
                    times[i].second / times[i - 1].second);
      }
    }
  }

 private:
  std::map<std::string, std::vector<std::pair<std::string, double>>> times_;
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
