#include "phone_state/display_order.h"

#include <algorithm>
#include <utility>

namespace tolvane {
namespace {

// A run is filled to kFill positions when the order is built or grows at its
// end, and split in two when moves bring it past kMax: short enough that
// shifting one costs less than a fetch from memory, long enough that the
// tree over the runs stays small.
constexpr std::size_t kFill = 64;
constexpr std::size_t kMax = 2 * kFill;

}  // namespace

void DisplayOrder::Clear() {
  runs.clear();
  runAt.clear();
  tree.clear();
  leaves = 0;
  runOf.clear();
  availableOf.clear();
  keys.clear();
}

std::uint64_t DisplayOrder::PrefixOf(const std::string& nameKey) {
  std::uint64_t prefix = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    prefix <<= 8;
    if (i < nameKey.size()) prefix |= static_cast<unsigned char>(nameKey[i]);
  }
  return prefix;
}

bool DisplayOrder::SortsBefore(int entry, std::uint64_t entryPrefix, const std::string& nameKey,
                               std::uint64_t keyPrefix) const {
  if (entryPrefix != keyPrefix) return entryPrefix < keyPrefix;
  return keys[static_cast<std::size_t>(entry)] < nameKey;
}

// ---- The tree over the runs

const DisplayOrder::Node& DisplayOrder::Smaller(const Node& a, const Node& b) const {
  if (a.smallest == kNone) return b;
  if (b.smallest == kNone) return a;
  // On equal names the earlier one.
  return SortsBefore(b.smallest, b.smallestPrefix, keys[static_cast<std::size_t>(a.smallest)], a.smallestPrefix) ? b
                                                                                                                 : a;
}

DisplayOrder::Node DisplayOrder::Summary(const Run& run) const {
  Node node;
  node.count = static_cast<std::uint32_t>(run.slots.size());
  for (const Slot& slot : run.slots) {
    if (slot.available == 0) continue;
    if (node.smallest == kNone ||
        SortsBefore(slot.entry, slot.prefix, keys[static_cast<std::size_t>(node.smallest)], node.smallestPrefix)) {
      node.smallest = slot.entry;
      node.smallestPrefix = slot.prefix;
    }
  }
  return node;
}

bool DisplayOrder::Pull(std::size_t node) {
  const Node& left = tree[2 * node];
  const Node& right = tree[2 * node + 1];
  const Node& smaller = Smaller(left, right);
  const Node pulled{smaller.smallestPrefix, smaller.smallest, left.count + right.count};
  Node& current = tree[node];
  if (current.count == pulled.count && current.smallest == pulled.smallest &&
      current.smallestPrefix == pulled.smallestPrefix) {
    return false;
  }
  current = pulled;
  return true;
}

void DisplayOrder::PullUp(std::size_t first, std::size_t second) {
  // Above a level where no node changed, none does.
  while (first > 1) {
    first /= 2;
    second /= 2;
    bool changed = Pull(first);
    if (second != first) changed = Pull(second) || changed;
    if (!changed) return;
  }
}

void DisplayOrder::Refresh(std::size_t rank) {
  tree[leaves + rank] = Summary(runs[runAt[rank]]);
  PullUp(leaves + rank, leaves + rank);
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

long DisplayOrder::LastRankBefore(std::size_t limit, const std::string& nameKey, std::uint64_t keyPrefix) const {
  auto qualifies = [&](const Node& node) {
    return node.smallest != kNone && SortsBefore(node.smallest, node.smallestPrefix, nameKey, keyPrefix);
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
  runs.push_back(Run{{}, runAt.size()});
  runAt.push_back(static_cast<std::uint32_t>(runs.size() - 1));
  if (runAt.size() >= leaves) {
    std::vector<Node> leafNodes = Leaves();
    leafNodes.resize(runAt.size());
    Plant(std::move(leafNodes));
  }
}

void DisplayOrder::Reserve(std::size_t count) {
  keys.reserve(count);
  runOf.reserve(count);
  availableOf.reserve(count);
}

void DisplayOrder::PushBack(bool available, std::string nameKey) {
  if (runAt.empty() || runs[runAt.back()].slots.size() >= kFill) AppendRun();
  const auto entry = static_cast<std::int32_t>(keys.size());
  const Slot slot{PrefixOf(nameKey), entry, available ? 1 : 0};
  keys.push_back(std::move(nameKey));
  runs[runAt.back()].slots.push_back(slot);
  runOf.push_back(runAt.back());
  availableOf.push_back(available ? 1 : 0);
  Node& leaf = tree[leaves + runAt.size() - 1];
  ++leaf.count;
  if (available) leaf = Smaller(leaf, Node{slot.prefix, entry, leaf.count});
  PullUp(leaves + runAt.size() - 1, leaves + runAt.size() - 1);
}

void DisplayOrder::Assign(const std::vector<int>& order, const std::vector<bool>& available,
                          const std::vector<std::string>& nameKeys) {
  keys = nameKeys;
  std::vector<Slot> sequence;
  sequence.reserve(order.size());
  for (int index : order) {
    const auto i = static_cast<std::size_t>(index);
    sequence.push_back(Slot{PrefixOf(keys[i]), index, available[i] ? 1 : 0});
  }
  Rebuild(sequence);
}

void DisplayOrder::Rebuild(const std::vector<Slot>& sequence) {
  runs.clear();
  runAt.clear();
  runOf.assign(keys.size(), 0);
  availableOf.assign(keys.size(), 0);
  std::vector<Node> leafNodes;
  for (std::size_t at = 0; at < sequence.size(); at += kFill) {
    const std::size_t end = std::min(sequence.size(), at + kFill);
    Run run;
    run.rank = runAt.size();
    run.slots.assign(sequence.begin() + static_cast<std::ptrdiff_t>(at),
                     sequence.begin() + static_cast<std::ptrdiff_t>(end));
    for (const Slot& slot : run.slots) {
      runOf[static_cast<std::size_t>(slot.entry)] = static_cast<std::uint32_t>(runs.size());
      availableOf[static_cast<std::size_t>(slot.entry)] = slot.available != 0 ? 1 : 0;
    }
    leafNodes.push_back(Summary(run));
    runAt.push_back(static_cast<std::uint32_t>(runs.size()));
    runs.push_back(std::move(run));
  }
  Plant(std::move(leafNodes));
}

void DisplayOrder::SplitIfFull(std::size_t rank) {
  if (runs[runAt[rank]].slots.size() <= kMax) return;
  // Moves leave runs emptied behind them; when there are many more runs
  // than a fresh build makes, build afresh instead of adding one.
  if (runAt.size() >= 2 * (keys.size() / kFill) + 8) {
    std::vector<Slot> sequence;
    sequence.reserve(keys.size());
    for (std::uint32_t run : runAt) sequence.insert(sequence.end(), runs[run].slots.begin(), runs[run].slots.end());
    Rebuild(sequence);
    return;
  }
  const std::size_t added = runs.size();
  runs.push_back(Run{});
  std::vector<Slot>& full = runs[runAt[rank]].slots;
  const std::size_t half = full.size() / 2;
  runs[added].slots.assign(full.begin() + static_cast<std::ptrdiff_t>(half), full.end());
  full.resize(half);
  for (const Slot& slot : runs[added].slots) runOf[static_cast<std::size_t>(slot.entry)] = static_cast<std::uint32_t>(added);
  const std::size_t used = runAt.size();
  std::vector<Node> leafNodes = used + 1 >= leaves ? Leaves() : std::vector<Node>();
  runAt.insert(runAt.begin() + static_cast<std::ptrdiff_t>(rank) + 1, static_cast<std::uint32_t>(added));
  for (std::size_t r = rank + 1; r < runAt.size(); ++r) runs[runAt[r]].rank = r;
  if (runAt.size() >= leaves) {
    leafNodes.insert(leafNodes.begin() + static_cast<std::ptrdiff_t>(rank) + 1, Node{});
    leafNodes[rank] = Summary(runs[runAt[rank]]);
    leafNodes[rank + 1] = Summary(runs[added]);
    Plant(std::move(leafNodes));
    return;
  }
  // The leaves after the split one move one place on, in place; only the
  // nodes above them change.
  const auto first = tree.begin() + static_cast<std::ptrdiff_t>(leaves);
  std::copy_backward(first + static_cast<std::ptrdiff_t>(rank) + 1, first + static_cast<std::ptrdiff_t>(used),
                     first + static_cast<std::ptrdiff_t>(used) + 1);
  tree[leaves + rank] = Summary(runs[runAt[rank]]);
  tree[leaves + rank + 1] = Summary(runs[added]);
  for (std::size_t low = (leaves + rank) / 2, high = (leaves + used) / 2; low >= 1; low /= 2, high /= 2) {
    for (std::size_t node = low; node <= high; ++node) static_cast<void>(Pull(node));
  }
}

// ---- Positions

DisplayOrder::Place DisplayOrder::PlaceOfEntry(int index) const {
  const Run& run = runs[runOf[static_cast<std::size_t>(index)]];
  std::size_t offset = 0;
  while (run.slots[offset].entry != index) ++offset;
  return Place{run.rank, offset};
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
  return runs[runAt[place.rank]].slots[place.offset].entry;
}

std::size_t DisplayOrder::PositionOf(int index) const {
  const Place place = PlaceOfEntry(index);
  return StartOf(place.rank) + place.offset;
}

std::vector<int> DisplayOrder::Entries() const {
  std::vector<int> result;
  result.reserve(keys.size());
  for (std::uint32_t run : runAt) {
    for (const Slot& slot : runs[run].slots) result.push_back(slot.entry);
  }
  return result;
}

// ---- Changes and moves

void DisplayOrder::Update(int index, bool available, std::string nameKey) {
  keys[static_cast<std::size_t>(index)] = std::move(nameKey);
  // A position's name bytes count only while it is available (they are
  // taken afresh when it becomes so): a name for an entry that is available
  // neither before nor after changes nothing but the name. Names arrive for
  // every contact while most are still offline.
  std::uint8_t& wasAvailable = availableOf[static_cast<std::size_t>(index)];
  if (wasAvailable == 0 && !available) return;
  wasAvailable = available ? 1 : 0;
  const Place place = PlaceOfEntry(index);
  Slot& slot = runs[runAt[place.rank]].slots[place.offset];
  slot.prefix = PrefixOf(keys[static_cast<std::size_t>(index)]);
  slot.available = available ? 1 : 0;
  Refresh(place.rank);
}

void DisplayOrder::SetAvailable(int index, bool available) {
  std::uint8_t& wasAvailable = availableOf[static_cast<std::size_t>(index)];
  if ((wasAvailable != 0) == available) return;
  wasAvailable = available ? 1 : 0;
  const Place place = PlaceOfEntry(index);
  Slot& slot = runs[runAt[place.rank]].slots[place.offset];
  slot.available = wasAvailable;
  slot.prefix = PrefixOf(keys[static_cast<std::size_t>(index)]);
  Refresh(place.rank);
}

std::size_t DisplayOrder::StopBefore(Place place, const std::string& nameKey) const {
  // The last available entry before the place whose name sorts before
  // nameKey: first in the place's own run, else in the nearest earlier run
  // that the tree says holds one.
  const std::uint64_t keyPrefix = PrefixOf(nameKey);
  auto qualifies = [&](const Slot& slot) {
    return slot.available != 0 && SortsBefore(slot.entry, slot.prefix, nameKey, keyPrefix);
  };
  const std::vector<Slot>& own = runs[runAt[place.rank]].slots;
  for (std::size_t i = place.offset; i > 0; --i) {
    if (qualifies(own[i - 1])) return StartOf(place.rank) + i;
  }
  const long rank = LastRankBefore(place.rank, nameKey, keyPrefix);
  if (rank == kNone) return 0;
  const std::vector<Slot>& slots = runs[runAt[static_cast<std::size_t>(rank)]].slots;
  std::size_t i = slots.size();
  while (i > 0 && !qualifies(slots[i - 1])) --i;
  return StartOf(static_cast<std::size_t>(rank)) + i;
}

std::size_t DisplayOrder::AvailableStop(std::size_t p, const std::string& nameKey) const {
  return StopBefore(PlaceOfPosition(p), nameKey);
}

void DisplayOrder::Move(Place from, Place to) {
  std::vector<Slot>& source = runs[runAt[from.rank]].slots;
  const Slot moved = source[from.offset];
  source.erase(source.begin() + static_cast<std::ptrdiff_t>(from.offset));
  const std::uint32_t target = runAt[to.rank];
  std::vector<Slot>& destination = runs[target].slots;
  destination.insert(destination.begin() + static_cast<std::ptrdiff_t>(to.offset), moved);
  runOf[static_cast<std::size_t>(moved.entry)] = target;
  // The leaves learn of the move without reading their runs again, unless
  // the entry leaving was its run's smallest.
  Node& gained = tree[leaves + to.rank];
  ++gained.count;
  if (moved.available != 0) gained = Smaller(gained, Node{moved.prefix, moved.entry, gained.count});
  Node& lost = tree[leaves + from.rank];
  if (lost.smallest == moved.entry && from.rank != to.rank) {
    lost = Summary(runs[runAt[from.rank]]);
  } else {
    --lost.count;
  }
  PullUp(leaves + to.rank, leaves + from.rank);
  SplitIfFull(to.rank);
}

void DisplayOrder::MoveForward(std::size_t from, std::size_t to) {
  if (to >= from || from >= keys.size()) return;
  Move(PlaceOfPosition(from), PlaceOfPosition(to));
}

std::size_t DisplayOrder::WalkForward(int index) {
  const Place place = PlaceOfEntry(index);
  const std::size_t from = StartOf(place.rank) + place.offset;
  const std::size_t to = StopBefore(place, keys[static_cast<std::size_t>(index)]);
  if (to < from) Move(place, PlaceOfPosition(to));
  return to;
}

std::size_t DisplayOrder::BecomeAvailable(int index) {
  const Place place = PlaceOfEntry(index);
  Slot& slot = runs[runAt[place.rank]].slots[place.offset];
  if (slot.available != 0) return WalkForward(index);
  slot.available = 1;
  availableOf[static_cast<std::size_t>(index)] = 1;
  slot.prefix = PrefixOf(keys[static_cast<std::size_t>(index)]);
  const std::size_t from = StartOf(place.rank) + place.offset;
  const std::size_t to = StopBefore(place, keys[static_cast<std::size_t>(index)]);
  // A move brings both runs' leaves up to date; without one, this run's
  // leaf still has to learn of the change.
  if (to < from) {
    Move(place, PlaceOfPosition(to));
  } else {
    Refresh(place.rank);
  }
  return to;
}

}  // namespace tolvane
