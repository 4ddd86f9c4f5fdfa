#include "phone_state/display_order.h"

#include <utility>

namespace tolvane {

void DisplayOrder::Clear() {
  nodes.clear();
  keys.clear();
  root = kNone;
}

std::uint32_t DisplayOrder::NextPriority() {
  // xorshift32: the priorities only need to look random to keep the tree
  // balanced; the order itself never depends on them.
  seed ^= seed << 13;
  seed ^= seed >> 17;
  seed ^= seed << 5;
  return seed;
}

void DisplayOrder::MakeNode(int index, bool available, std::string nameKey) {
  Node& node = N(index);
  node = Node{};
  node.priority = NextPriority();
  node.available = available;
  node.prefix = PrefixOf(nameKey);
  node.smallestAvailable = available ? index : kNone;
  node.smallestPrefix = node.prefix;
  keys[static_cast<std::size_t>(index)] = std::move(nameKey);
}

void DisplayOrder::PushBack(bool available, std::string nameKey) {
  const int index = static_cast<int>(nodes.size());
  nodes.emplace_back();
  keys.emplace_back();
  MakeNode(index, available, std::move(nameKey));
  root = Merge(root, index);
}

void DisplayOrder::Assign(const std::vector<int>& order, const std::vector<bool>& available,
                          const std::vector<std::string>& nameKeys) {
  Clear();
  nodes.resize(order.size());
  keys.resize(order.size());
  for (std::size_t i = 0; i < nodes.size(); ++i) MakeNode(static_cast<int>(i), available[i], nameKeys[i]);
  for (int index : order) root = Merge(root, index);
}

std::uint64_t DisplayOrder::PrefixOf(const std::string& nameKey) {
  std::uint64_t prefix = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    prefix <<= 8;
    if (i < nameKey.size()) prefix |= static_cast<unsigned char>(nameKey[i]);
  }
  return prefix;
}

bool DisplayOrder::KeyLess(int a, std::uint64_t aPrefix, int b, std::uint64_t bPrefix) const {
  if (aPrefix != bPrefix) return aPrefix < bPrefix;
  return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)];
}

bool DisplayOrder::SortsBefore(int candidate, std::uint64_t candidatePrefix, const std::string& nameKey,
                               std::uint64_t keyPrefix) const {
  if (candidatePrefix != keyPrefix) return candidatePrefix < keyPrefix;
  return keys[static_cast<std::size_t>(candidate)] < nameKey;
}

void DisplayOrder::Pull(int t) {
  Node& node = N(t);
  node.size = 1 + SizeOf(node.left) + SizeOf(node.right);
  // The smallest of the left subtree's, this entry's and the right subtree's
  // candidates; on equal names the earlier one.
  int smallest = kNone;
  std::uint64_t smallestPrefix = 0;
  auto consider = [&](int candidate, std::uint64_t prefix) {
    if (candidate == kNone) return;
    if (smallest == kNone || KeyLess(candidate, prefix, smallest, smallestPrefix)) {
      smallest = candidate;
      smallestPrefix = prefix;
    }
  };
  if (node.left != kNone) consider(N(node.left).smallestAvailable, N(node.left).smallestPrefix);
  if (node.available) consider(t, node.prefix);
  if (node.right != kNone) consider(N(node.right).smallestAvailable, N(node.right).smallestPrefix);
  node.smallestAvailable = smallest;
  node.smallestPrefix = smallestPrefix;
  if (node.left != kNone) N(node.left).parent = t;
  if (node.right != kNone) N(node.right).parent = t;
}

void DisplayOrder::Split(int t, int count, int& first, int& rest) {
  if (t == kNone) {
    first = rest = kNone;
    return;
  }
  const int leftSize = SizeOf(N(t).left);
  if (leftSize < count) {
    int a = kNone;
    Split(N(t).right, count - leftSize - 1, a, rest);
    N(t).right = a;
    Pull(t);
    first = t;
  } else {
    int b = kNone;
    Split(N(t).left, count, first, b);
    N(t).left = b;
    Pull(t);
    rest = t;
  }
  if (first != kNone) N(first).parent = kNone;
  if (rest != kNone) N(rest).parent = kNone;
}

int DisplayOrder::Merge(int a, int b) {
  if (a == kNone) return b;
  if (b == kNone) return a;
  if (N(a).priority > N(b).priority) {
    const int right = Merge(N(a).right, b);
    N(a).right = right;
    Pull(a);
    N(a).parent = kNone;
    return a;
  }
  const int left = Merge(a, N(b).left);
  N(b).left = left;
  Pull(b);
  N(b).parent = kNone;
  return b;
}

int DisplayOrder::At(std::size_t position) const {
  int t = root;
  int rest = static_cast<int>(position);
  while (t != kNone) {
    const int leftSize = SizeOf(N(t).left);
    if (rest < leftSize) {
      t = N(t).left;
    } else if (rest == leftSize) {
      return t;
    } else {
      rest -= leftSize + 1;
      t = N(t).right;
    }
  }
  return kNone;
}

std::size_t DisplayOrder::PositionOf(int index) const {
  int t = index;
  int position = SizeOf(N(t).left);
  while (N(t).parent != kNone) {
    const int parent = N(t).parent;
    if (N(parent).right == t) position += SizeOf(N(parent).left) + 1;
    t = parent;
  }
  return static_cast<std::size_t>(position);
}

std::vector<int> DisplayOrder::Entries() const {
  std::vector<int> result;
  result.reserve(nodes.size());
  std::vector<int> pending;
  int t = root;
  while (t != kNone || !pending.empty()) {
    while (t != kNone) {
      pending.push_back(t);
      t = N(t).left;
    }
    t = pending.back();
    pending.pop_back();
    result.push_back(t);
    t = N(t).right;
  }
  return result;
}

void DisplayOrder::Update(int index, bool available, std::string nameKey) {
  Node& node = N(index);
  // An entry that is available neither before nor after counts in no
  // subtree's smallest available name: nothing above it changes. Names
  // arrive for every contact while most are still offline.
  const bool counted = node.available || available;
  node.available = available;
  node.prefix = PrefixOf(nameKey);
  keys[static_cast<std::size_t>(index)] = std::move(nameKey);
  if (!counted) return;
  for (int t = index; t != kNone; t = N(t).parent) Pull(t);
}

void DisplayOrder::SetAvailable(int index, bool available) {
  if (N(index).available == available) return;
  N(index).available = available;
  for (int t = index; t != kNone; t = N(t).parent) Pull(t);
}

std::size_t DisplayOrder::StopWithin(int t, const std::string& nameKey) const {
  // The rightmost available entry whose name sorts before nameKey, found
  // through the subtrees' smallest available names; its position is counted
  // on the way down.
  const std::uint64_t keyPrefix = PrefixOf(nameKey);
  auto subtreeQualifies = [&](int subtree) {
    return subtree != kNone && N(subtree).smallestAvailable != kNone &&
           SortsBefore(N(subtree).smallestAvailable, N(subtree).smallestPrefix, nameKey, keyPrefix);
  };
  std::size_t skipped = 0;
  while (t != kNone) {
    const Node& node = N(t);
    if (subtreeQualifies(node.right)) {
      skipped += static_cast<std::size_t>(SizeOf(node.left)) + 1;
      t = node.right;
    } else if (node.available && SortsBefore(t, node.prefix, nameKey, keyPrefix)) {
      return skipped + static_cast<std::size_t>(SizeOf(node.left)) + 1;
    } else if (subtreeQualifies(node.left)) {
      t = node.left;
    } else {
      break;
    }
  }
  return 0;
}

std::size_t DisplayOrder::AvailableStop(std::size_t p, const std::string& nameKey) {
  int before = kNone;
  int after = kNone;
  Split(root, static_cast<int>(p), before, after);
  const std::size_t stop = StopWithin(before, nameKey);
  root = Merge(before, after);
  return stop;
}

void DisplayOrder::MoveForward(std::size_t from, std::size_t to) {
  if (to >= from || from >= nodes.size()) return;
  int head = kNone;
  int rest = kNone;
  int passed = kNone;
  int moved = kNone;
  int tail = kNone;
  Split(root, static_cast<int>(to), head, rest);
  Split(rest, static_cast<int>(from - to), passed, rest);
  Split(rest, 1, moved, tail);
  root = Merge(Merge(head, moved), Merge(passed, tail));
}

std::size_t DisplayOrder::BecomeAvailable(int index) {
  // No pass upward first: the split at the entry's position below passes
  // through the entry and every node above it, and brings them up to date.
  N(index).available = true;
  return WalkForward(index);
}

std::size_t DisplayOrder::WalkForward(int index) {
  const std::size_t from = PositionOf(index);
  int before = kNone;
  int rest = kNone;
  int moved = kNone;
  int after = kNone;
  Split(root, static_cast<int>(from), before, rest);
  Split(rest, 1, moved, after);
  const std::size_t to = StopWithin(before, keys[static_cast<std::size_t>(index)]);
  int head = kNone;
  int passed = kNone;
  Split(before, static_cast<int>(to), head, passed);
  root = Merge(Merge(head, moved), Merge(passed, after));
  return to;
}

}  // namespace tolvane
