// A large contact list arriving from the client: one USERS reply naming
// every contact, then a display name and a status change for each, in the
// order the replies come back (not sorted). The whole burst must be taken in
// well under a second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "../tests/core/fakes/command_recording_link.h"
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

void TakeBurst(const Burst& burst) {
  testing::CommandRecordingLink link;
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
BENCHMARK(BM_UsersNamesAndStatuses)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tolvane

BENCHMARK_MAIN();
