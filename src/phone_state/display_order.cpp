#include "phone_state/display_order.h"

#include <utility>

namespace tolvane {

void DisplayOrder::Clear() {
  nodes.clear();
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
  node.smallestAvailable = available ? index : kNone;
  node.nameKey = std::move(nameKey);
}

void DisplayOrder::PushBack(bool available, std::string nameKey) {
  const int index = static_cast<int>(nodes.size());
  nodes.emplace_back();
  MakeNode(index, available, std::move(nameKey));
  root = Merge(root, index);
}

void DisplayOrder::Assign(const std::vector<int>& order, const std::vector<bool>& available,
                          const std::vector<std::string>& nameKeys) {
  Clear();
  nodes.resize(order.size());
  for (std::size_t i = 0; i < nodes.size(); ++i) MakeNode(static_cast<int>(i), available[i], nameKeys[i]);
  for (int index : order) root = Merge(root, index);
}

bool DisplayOrder::SortsBefore(int candidate, const std::string& nameKey) const {
  return N(candidate).nameKey < nameKey;
}

int DisplayOrder::Smaller(int a, int b) const {
  if (a == kNone) return b;
  if (b == kNone) return a;
  return N(b).nameKey < N(a).nameKey ? b : a;
}

void DisplayOrder::Pull(int t) {
  Node& node = N(t);
  node.size = 1 + SizeOf(node.left) + SizeOf(node.right);
  int smallest = node.left != kNone ? N(node.left).smallestAvailable : kNone;
  smallest = Smaller(smallest, node.available ? t : kNone);
  smallest = Smaller(smallest, node.right != kNone ? N(node.right).smallestAvailable : kNone);
  node.smallestAvailable = smallest;
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
  N(index).available = available;
  N(index).nameKey = std::move(nameKey);
  for (int t = index; t != kNone; t = N(t).parent) Pull(t);
}

std::size_t DisplayOrder::AvailableStop(std::size_t p, const std::string& nameKey) {
  int before = kNone;
  int after = kNone;
  Split(root, static_cast<int>(p), before, after);
  // The rightmost available entry before p whose name sorts before nameKey.
  int found = kNone;
  int t = before;
  while (t != kNone && found == kNone) {
    const Node& node = N(t);
    if (node.right != kNone && N(node.right).smallestAvailable != kNone &&
        SortsBefore(N(node.right).smallestAvailable, nameKey)) {
      t = node.right;
    } else if (node.available && SortsBefore(t, nameKey)) {
      found = t;
    } else if (node.left != kNone && N(node.left).smallestAvailable != kNone &&
               SortsBefore(N(node.left).smallestAvailable, nameKey)) {
      t = node.left;
    } else {
      t = kNone;
    }
  }
  root = Merge(before, after);
  return found == kNone ? 0 : PositionOf(found) + 1;
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

}  // namespace tolvane
