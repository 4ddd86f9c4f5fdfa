#include "phone_state/display_order.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace tolvane {

DisplayOrder::DisplayOrder(NameKeyOf nameKeys) : nameKeyOf(std::move(nameKeys)) {}

void DisplayOrder::Clear() {
  runs.clear();
  runAt.clear();
  tree.clear();
  leaves = 0;
  places.clear();
}

std::uint64_t DisplayOrder::PrefixOf(std::string_view nameKey) {
  std::uint64_t prefix = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    prefix <<= 8;
    if (i < nameKey.size()) prefix |= static_cast<unsigned char>(nameKey[i]);
  }
  // Names beginning with eight 0xFF bytes share their number with the one
  // below and are told apart by the whole name.
  return std::min(prefix, kUnavailable - 1);
}

bool DisplayOrder::SortsBefore(int entry, std::uint64_t entryPrefix, int other, std::uint64_t otherPrefix) const {
  if (entryPrefix != otherPrefix) return entryPrefix < otherPrefix;
  // Equal prefixes that end in a zero byte are two equal names shorter than
  // the prefix.
  if ((entryPrefix & 0xFF) == 0) return false;
  return nameKeyOf(entry) < nameKeyOf(other);
}

// ---- The tree over the runs

const DisplayOrder::Node& DisplayOrder::Smaller(const Node& a, const Node& b) const {
  if (a.smallest == kNone) return b;
  if (b.smallest == kNone) return a;
  // On equal names the earlier one.
  return SortsBefore(b.smallest, b.smallestPrefix, a.smallest, a.smallestPrefix) ? b : a;
}

DisplayOrder::Node DisplayOrder::Summary(const Run& run) const {
  Node node;
  node.count = run.size;
  for (std::size_t i = 0; i < run.size; ++i) {
    const std::uint64_t key = run.keys[i];
    if (key == kUnavailable) continue;
    if (node.smallest == kNone || SortsBefore(run.entries[i], key, node.smallest, node.smallestPrefix)) {
      node.smallest = run.entries[i];
      node.smallestPrefix = key;
    }
  }
  return node;
}

bool DisplayOrder::SameNode(const Node& a, const Node& b) {
  return a.count == b.count && a.smallest == b.smallest && a.smallestPrefix == b.smallestPrefix;
}

DisplayOrder::Node DisplayOrder::Combined(std::size_t node) const {
  const Node& left = tree[2 * node];
  const Node& right = tree[2 * node + 1];
  const Node& smaller = Smaller(left, right);
  return Node{smaller.smallestPrefix, smaller.smallest, left.count + right.count};
}

bool DisplayOrder::Pull(std::size_t node) {
  const Node pulled = Combined(node);
  if (SameNode(tree[node], pulled)) return false;
  tree[node] = pulled;
  return true;
}

void DisplayOrder::PullUp(std::size_t first, std::size_t second, Climb climb) {
  // Above a level where no node changed, none does, as long as no name
  // changed: a node that keeps its smallest entry compares that entry's
  // whole name with its neighbour's higher up.
  while (first > 1) {
    first /= 2;
    second /= 2;
    bool changed = Pull(first);
    if (second != first) changed = Pull(second) || changed;
    if (!changed && climb == Climb::kWhileChanged) break;
  }
  assert(TreeIsConsistent());
}

bool DisplayOrder::TreeIsConsistent() const {
  // Of equal names a node may hold either entry.
  const auto agree = [this](const Node& a, const Node& b) {
    if (a.count != b.count || (a.smallest == kNone) != (b.smallest == kNone)) return false;
    return a.smallest == kNone || (!SortsBefore(a.smallest, a.smallestPrefix, b.smallest, b.smallestPrefix) &&
                                   !SortsBefore(b.smallest, b.smallestPrefix, a.smallest, a.smallestPrefix));
  };
  for (std::size_t rank = 0; rank < runAt.size(); ++rank) {
    if (!agree(tree[leaves + rank], Summary(runs[runAt[rank]]))) return false;
  }
  for (std::size_t node = leaves; node-- > 1;) {
    if (!agree(tree[node], Combined(node))) return false;
  }
  return true;
}

void DisplayOrder::Refresh(std::size_t rank, Climb climb) {
  tree[leaves + rank] = Summary(runs[runAt[rank]]);
  PullUp(leaves + rank, leaves + rank, climb);
}

std::vector<DisplayOrder::Node> DisplayOrder::Leaves() const {
  if (leaves == 0) return {};
  const auto first = tree.begin() + static_cast<std::ptrdiff_t>(leaves);
  return std::vector<Node>(first, first + static_cast<std::ptrdiff_t>(runAt.size()));
}

void DisplayOrder::Plant(std::vector<Node> leafNodes) {
  leaves = 2;
  while (leaves <= leafNodes.size()) leaves *= 2;
  tree.assign(2 * leaves, Node{});
  std::copy(leafNodes.begin(), leafNodes.end(), tree.begin() + static_cast<std::ptrdiff_t>(leaves));
  for (std::size_t node = leaves - 1; node >= 1; --node) static_cast<void>(Pull(node));
}

std::size_t DisplayOrder::StartOf(std::size_t rank) const {
  std::size_t start = 0;
  for (std::size_t node = leaves + rank; node > 1; node /= 2) {
    if (node % 2 == 1) start += tree[node - 1].count;
  }
  return start;
}

long DisplayOrder::LastRankBefore(std::size_t limit, int index, std::uint64_t prefix) const {
  auto qualifies = [&](const Node& node) {
    return node.smallest != kNone && SortsBefore(node.smallest, node.smallestPrefix, index, prefix);
  };
  // Up from the limit, looking at each left neighbour on the way: the first
  // one that qualifies holds the answer, as far right within it as possible.
  for (std::size_t node = leaves + limit; node > 1; node /= 2) {
    if (node % 2 == 0 || !qualifies(tree[node - 1])) continue;
    std::size_t found = node - 1;
    while (found < leaves) found = qualifies(tree[2 * found + 1]) ? 2 * found + 1 : 2 * found;
    return static_cast<long>(found - leaves);
  }
  return kNone;
}

// ---- Runs

void DisplayOrder::AppendRun() {
  runs.emplace_back();
  runs.back().rank = static_cast<std::uint32_t>(runAt.size());
  runAt.push_back(static_cast<std::uint32_t>(runs.size() - 1));
  if (runAt.size() >= leaves) {
    std::vector<Node> leafNodes = Leaves();
    leafNodes.resize(runAt.size());
    Plant(std::move(leafNodes));
  }
}

void DisplayOrder::Reserve(std::size_t count) {
  places.reserve(count);
  runs.reserve(count / kFill + 1);
}

void DisplayOrder::PushBack(bool available, std::string_view nameKey) {
  if (runAt.empty() || runs[runAt.back()].size >= kFill) AppendRun();
  const auto entry = static_cast<std::int32_t>(places.size());
  const std::uint64_t prefix = PrefixOf(nameKey);
  places.push_back(EntryPlace{prefix, runAt.back(), available ? 1u : 0u});
  const std::uint64_t key = available ? prefix : kUnavailable;
  Run& run = runs[runAt.back()];
  run.keys[run.size] = key;
  run.entries[run.size] = entry;
  ++run.size;
  Node& leaf = tree[leaves + runAt.size() - 1];
  ++leaf.count;
  if (available) leaf = Smaller(leaf, Node{key, entry, leaf.count});
  PullUp(leaves + runAt.size() - 1, leaves + runAt.size() - 1, Climb::kWhileChanged);
}

std::vector<DisplayOrder::Slot> DisplayOrder::Sequence() const {
  std::vector<Slot> sequence;
  sequence.reserve(places.size());
  for (std::uint32_t number : runAt) {
    const Run& run = runs[number];
    for (std::size_t i = 0; i < run.size; ++i) sequence.push_back(Slot{run.keys[i], run.entries[i]});
  }
  return sequence;
}

void DisplayOrder::Remove(int index) {
  std::vector<Slot> sequence = Sequence();
  sequence.erase(std::find_if(sequence.begin(), sequence.end(), [&](const Slot& slot) { return slot.entry == index; }));
  for (Slot& slot : sequence) {
    if (slot.entry > index) --slot.entry;
  }
  places.erase(places.begin() + index);
  Rebuild(sequence);
}

void DisplayOrder::Rebuild(const std::vector<Slot>& sequence) {
  runs.clear();
  runAt.clear();
  runs.reserve(sequence.size() / kFill + 1);
  std::vector<Node> leafNodes;
  for (std::size_t at = 0; at < sequence.size(); at += kFill) {
    const std::size_t end = std::min(sequence.size(), at + kFill);
    Run& run = runs.emplace_back();
    run.rank = static_cast<std::uint32_t>(runAt.size());
    for (std::size_t i = at; i < end; ++i) {
      const Slot& slot = sequence[i];
      run.keys[run.size] = slot.key;
      run.entries[run.size] = slot.entry;
      ++run.size;
      EntryPlace& place = places[static_cast<std::size_t>(slot.entry)];
      place.run = static_cast<std::uint32_t>(runs.size() - 1);
      place.available = slot.key != kUnavailable ? 1 : 0;
    }
    leafNodes.push_back(Summary(run));
    runAt.push_back(static_cast<std::uint32_t>(runs.size() - 1));
  }
  Plant(std::move(leafNodes));
}

void DisplayOrder::SplitIfFull(std::size_t rank) {
  if (runs[runAt[rank]].size <= kMax) return;
  // Moves leave runs emptied behind them; when there are many more runs
  // than a fresh build makes, build afresh instead of adding one.
  if (runAt.size() >= 2 * (places.size() / kFill) + 8) {
    Rebuild(Sequence());
    return;
  }
  const std::size_t added = runs.size();
  runs.emplace_back();
  Run& full = runs[runAt[rank]];
  Run& half = runs[added];
  const std::size_t keep = full.size / 2;
  half.size = full.size - static_cast<std::uint32_t>(keep);
  std::copy_n(full.keys.begin() + static_cast<std::ptrdiff_t>(keep), half.size, half.keys.begin());
  std::copy_n(full.entries.begin() + static_cast<std::ptrdiff_t>(keep), half.size, half.entries.begin());
  full.size = static_cast<std::uint32_t>(keep);
  for (std::size_t i = 0; i < half.size; ++i) {
    places[static_cast<std::size_t>(half.entries[i])].run = static_cast<std::uint32_t>(added);
  }
  const std::size_t used = runAt.size();
  std::vector<Node> leafNodes = used + 1 >= leaves ? Leaves() : std::vector<Node>();
  runAt.insert(runAt.begin() + static_cast<std::ptrdiff_t>(rank) + 1, static_cast<std::uint32_t>(added));
  for (std::size_t r = rank + 1; r < runAt.size(); ++r) runs[runAt[r]].rank = static_cast<std::uint32_t>(r);
  if (runAt.size() >= leaves) {
    leafNodes.insert(leafNodes.begin() + static_cast<std::ptrdiff_t>(rank) + 1, Node{});
    leafNodes[rank] = Summary(full);
    leafNodes[rank + 1] = Summary(half);
    Plant(std::move(leafNodes));
    return;
  }
  // The leaves after the split one move one place on, in place; only the
  // nodes above them change.
  const auto first = tree.begin() + static_cast<std::ptrdiff_t>(leaves);
  std::copy_backward(first + static_cast<std::ptrdiff_t>(rank) + 1, first + static_cast<std::ptrdiff_t>(used),
                     first + static_cast<std::ptrdiff_t>(used) + 1);
  tree[leaves + rank] = Summary(full);
  tree[leaves + rank + 1] = Summary(half);
  for (std::size_t low = (leaves + rank) / 2, high = (leaves + used) / 2; low >= 1; low /= 2, high /= 2) {
    for (std::size_t node = low; node <= high; ++node) static_cast<void>(Pull(node));
  }
}

// ---- Positions

DisplayOrder::Place DisplayOrder::PlaceOfEntry(int index) const {
  const Run& run = runs[places[static_cast<std::size_t>(index)].run];
  const auto end = run.entries.begin() + run.size;
  return Place{run.rank, static_cast<std::size_t>(std::find(run.entries.begin(), end, index) - run.entries.begin())};
}

DisplayOrder::Place DisplayOrder::PlaceOfPosition(std::size_t position) const {
  std::size_t node = 1;
  while (node < leaves) {
    const std::size_t left = tree[2 * node].count;
    if (position < left) {
      node = 2 * node;
    } else {
      position -= left;
      node = 2 * node + 1;
    }
  }
  return Place{node - leaves, position};
}

int DisplayOrder::At(std::size_t position) const {
  const Place place = PlaceOfPosition(position);
  return runs[runAt[place.rank]].entries[place.offset];
}

std::size_t DisplayOrder::PositionOf(int index) const {
  const Place place = PlaceOfEntry(index);
  return StartOf(place.rank) + place.offset;
}

std::vector<int> DisplayOrder::Entries() const {
  std::vector<int> result;
  result.reserve(places.size());
  for (const Slot& slot : Sequence()) result.push_back(slot.entry);
  return result;
}

// ---- Changes and moves

void DisplayOrder::SetKey(int index, bool available, Climb climb) {
  EntryPlace& entry = places[static_cast<std::size_t>(index)];
  entry.available = available ? 1 : 0;
  const Place place = PlaceOfEntry(index);
  runs[runAt[place.rank]].keys[place.offset] = available ? entry.prefix : kUnavailable;
  Refresh(place.rank, climb);
}

void DisplayOrder::Update(int index, bool available, std::string_view nameKey) {
  EntryPlace& entry = places[static_cast<std::size_t>(index)];
  entry.prefix = PrefixOf(nameKey);
  // A position's key holds the name only while it is available: a name for
  // an entry that is available neither before nor after changes nothing but
  // the name. Names arrive for every contact while most are still offline.
  if (entry.available == 0 && !available) return;
  // The name may have changed beyond its first bytes: every node up to the
  // root learns of it, also above one whose smallest entry stays the same.
  SetKey(index, available, Climb::kToRoot);
}

void DisplayOrder::SetAvailable(int index, bool available) {
  if ((places[static_cast<std::size_t>(index)].available != 0) == available) return;
  SetKey(index, available, Climb::kWhileChanged);
}

std::size_t DisplayOrder::StopBefore(Place place) const {
  // The last available entry before the place whose name sorts before that
  // of the entry there: first in the place's own run, else in the nearest
  // earlier run that the tree says holds one.
  const Run& own = runs[runAt[place.rank]];
  const int index = own.entries[place.offset];
  const std::uint64_t prefix = places[static_cast<std::size_t>(index)].prefix;
  for (std::size_t i = place.offset; i > 0; --i) {
    if (PositionSortsBefore(own.keys[i - 1], own.entries[i - 1], index, prefix)) return StartOf(place.rank) + i;
  }
  const long rank = LastRankBefore(place.rank, index, prefix);
  if (rank == kNone) return 0;
  const Run& run = runs[runAt[static_cast<std::size_t>(rank)]];
  std::size_t i = run.size;
  while (i > 0 && !PositionSortsBefore(run.keys[i - 1], run.entries[i - 1], index, prefix)) --i;
  return StartOf(static_cast<std::size_t>(rank)) + i;
}

void DisplayOrder::Move(Place from, Place to) {
  Run& source = runs[runAt[from.rank]];
  const std::uint64_t key = source.keys[from.offset];
  const std::int32_t entry = source.entries[from.offset];
  const auto rest = static_cast<std::ptrdiff_t>(from.offset) + 1;
  std::copy(source.keys.begin() + rest, source.keys.begin() + source.size, source.keys.begin() + rest - 1);
  std::copy(source.entries.begin() + rest, source.entries.begin() + source.size, source.entries.begin() + rest - 1);
  --source.size;
  const std::uint32_t target = runAt[to.rank];
  Run& destination = runs[target];
  const auto at = static_cast<std::ptrdiff_t>(to.offset);
  std::copy_backward(destination.keys.begin() + at, destination.keys.begin() + destination.size,
                     destination.keys.begin() + destination.size + 1);
  std::copy_backward(destination.entries.begin() + at, destination.entries.begin() + destination.size,
                     destination.entries.begin() + destination.size + 1);
  destination.keys[to.offset] = key;
  destination.entries[to.offset] = entry;
  ++destination.size;
  places[static_cast<std::size_t>(entry)].run = target;
  // The leaves learn of the move without reading their runs again, unless
  // the entry leaving was its run's smallest.
  Node& gained = tree[leaves + to.rank];
  ++gained.count;
  if (key != kUnavailable) gained = Smaller(gained, Node{key, entry, gained.count});
  Node& lost = tree[leaves + from.rank];
  if (lost.smallest == entry && from.rank != to.rank) {
    lost = Summary(source);
  } else {
    --lost.count;
  }
  PullUp(leaves + to.rank, leaves + from.rank, Climb::kWhileChanged);
  SplitIfFull(to.rank);
}

void DisplayOrder::MoveForward(std::size_t from, std::size_t to) {
  if (to >= from || from >= places.size()) return;
  Move(PlaceOfPosition(from), PlaceOfPosition(to));
}

std::size_t DisplayOrder::WalkForward(int index) {
  const Place place = PlaceOfEntry(index);
  const std::size_t from = StartOf(place.rank) + place.offset;
  const std::size_t to = StopBefore(place);
  if (to < from) Move(place, PlaceOfPosition(to));
  return to;
}

std::size_t DisplayOrder::BecomeAvailable(int index) {
  EntryPlace& entry = places[static_cast<std::size_t>(index)];
  if (entry.available != 0) return WalkForward(index);
  entry.available = 1;
  const Place place = PlaceOfEntry(index);
  runs[runAt[place.rank]].keys[place.offset] = entry.prefix;
  const std::size_t from = StartOf(place.rank) + place.offset;
  const std::size_t to = StopBefore(place);
  // A move brings both runs' leaves up to date; without one, this run's
  // leaf still has to learn of the change.
  if (to < from) {
    Move(place, PlaceOfPosition(to));
  } else {
    Refresh(place.rank, Climb::kWhileChanged);
  }
  return to;
}

}  // namespace tolvane
