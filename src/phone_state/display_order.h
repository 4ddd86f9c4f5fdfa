#pragma once
// The contact store's display order: a sequence of entry indexes in which
// available contacts are moved forward by name. A contact coming online walks
// back past every contact that is offline or sorts after it and stops behind
// the first available one that sorts before it. Done step by step that walk
// costs the length of the list for every status change, which a list of
// thousands of contacts cannot afford; here the sequence is a balanced tree
// (a treap keyed by position) whose subtrees know their smallest available
// name, so the stop is found, and the move made, in logarithmic time.
//
// A list of tens of thousands of contacts does not fit the processor's
// caches, so every node that a step touches costs a memory fetch: the nodes
// are kept small and carry the first bytes of their subtree's smallest
// available name, so that comparing two subtrees reads no other node and no
// name text unless those first bytes are equal.
//
// Entry indexes are 0..Size()-1: each element is one entry of the store,
// and the store numbers its entries by their place in its own sequence.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tolvane {

class DisplayOrder {
 public:
  std::size_t Size() const { return nodes.size(); }
  void Clear();

  // Appends the entry numbered Size() at the end.
  void PushBack(bool available, std::string nameKey);
  // Replaces the whole order; order[p] is the entry at position p, and
  // available/nameKeys are by entry index.
  void Assign(const std::vector<int>& order, const std::vector<bool>& available,
              const std::vector<std::string>& nameKeys);

  // The entry at a position (< Size()).
  int At(std::size_t position) const;
  // The position of an entry (< Size()).
  std::size_t PositionOf(int index) const;
  // The whole order, position by position.
  std::vector<int> Entries() const;

  // Records a changed status or name of an entry.
  void Update(int index, bool available, std::string nameKey);
  // Records a changed status of an entry.
  void SetAvailable(int index, bool available);

  // Where an entry at position p stops when it walks forward past every
  // entry that is not available or whose name does not sort before nameKey
  // (byte-wise): one behind the last such stopping entry before p, or 0.
  std::size_t AvailableStop(std::size_t p, const std::string& nameKey);

  // Moves the entry at position `from` to position `to` (to <= from); the
  // entries in between move one place back.
  void MoveForward(std::size_t from, std::size_t to);

  // AvailableStop and MoveForward for one entry by its own name, in one pass
  // over the tree. Returns the entry's new position.
  std::size_t WalkForward(int index);
  // SetAvailable(index, true) and WalkForward(index) in one pass.
  std::size_t BecomeAvailable(int index);

 private:
  static constexpr int kNone = -1;

  struct Node {
    int left = kNone;
    int right = kNone;
    int parent = kNone;
    std::uint32_t priority = 0;
    int size = 1;
    bool available = false;
    int smallestAvailable = kNone;  // entry with the smallest available name in the subtree
    std::uint64_t prefix = 0;          // the first bytes of this entry's name (see PrefixOf)
    std::uint64_t smallestPrefix = 0;  // the same of smallestAvailable's name
  };

  int SizeOf(int t) const { return t == kNone ? 0 : nodes[static_cast<std::size_t>(t)].size; }
  Node& N(int t) { return nodes[static_cast<std::size_t>(t)]; }
  const Node& N(int t) const { return nodes[static_cast<std::size_t>(t)]; }
  // The first eight bytes of a name as one number, zero-padded: two names
  // whose numbers differ sort as their numbers do.
  static std::uint64_t PrefixOf(const std::string& nameKey);
  bool KeyLess(int a, std::uint64_t aPrefix, int b, std::uint64_t bPrefix) const;
  bool SortsBefore(int candidate, std::uint64_t candidatePrefix, const std::string& nameKey,
                   std::uint64_t keyPrefix) const;
  // The stop of the walk (see AvailableStop) over the whole of tree t, as a
  // position within t.
  std::size_t StopWithin(int t, const std::string& nameKey) const;
  void Pull(int t);
  // Splits t into its first `count` elements and the rest.
  void Split(int t, int count, int& first, int& rest);
  int Merge(int a, int b);
  void MakeNode(int index, bool available, std::string nameKey);
  std::uint32_t NextPriority();

  std::vector<Node> nodes;         // by entry index
  std::vector<std::string> keys;   // the names, by entry index
  int root = kNone;
  std::uint32_t seed = 0x9E3779B9u;
};

}  // namespace tolvane
