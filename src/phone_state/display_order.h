#pragma once
// The contact store's display order: a sequence of entry indexes in which
// available contacts are moved forward by name. A contact coming online walks
// back past every contact that is offline or sorts after it and stops behind
// the first available one that sorts before it.
//
// The client lists thousands of contacts and then sends a status for each,
// so the walk must neither go step by step over the whole list nor touch
// memory all over it: a list of tens of thousands of contacts does not fit
// the processor's caches, and every scattered fetch costs more than the
// comparisons around it. The sequence is cut into short runs of consecutive
// positions, each one small array holding, for every position, the entry,
// whether it is available and the first bytes of its name. Over the runs, in
// their order, lies a small complete binary tree whose nodes count the
// positions below them and record their smallest available name. A walk
// reads its own run backwards, finds the nearest earlier run that holds a
// name sorting before its own through the tree, and reads that run; a move
// shifts two short arrays and brings two paths of the tree up to date. The
// tree has one node per run and so stays in the cache.
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
  std::size_t Size() const { return keys.size(); }
  void Clear();

  // Room for `count` entries without growing.
  void Reserve(std::size_t count);
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
  // The name an entry was last given.
  const std::string& NameKeyOf(int index) const { return keys[static_cast<std::size_t>(index)]; }

  // Records a changed status or name of an entry.
  void Update(int index, bool available, std::string nameKey);
  // Records a changed status of an entry.
  void SetAvailable(int index, bool available);

  // Where an entry at position p stops when it walks forward past every
  // entry that is not available or whose name does not sort before nameKey
  // (byte-wise): one behind the last such stopping entry before p, or 0.
  std::size_t AvailableStop(std::size_t p, const std::string& nameKey) const;

  // Moves the entry at position `from` to position `to` (to <= from); the
  // entries in between move one place back.
  void MoveForward(std::size_t from, std::size_t to);

  // AvailableStop and MoveForward for one entry by its own name. Returns the
  // entry's new position.
  std::size_t WalkForward(int index);
  // SetAvailable(index, true) and WalkForward(index) in one step.
  std::size_t BecomeAvailable(int index);

 private:
  static constexpr int kNone = -1;

  // One position of the sequence.
  struct Slot {
    std::uint64_t prefix = 0;  // while available, the first bytes of the entry's name (see PrefixOf)
    std::int32_t entry = kNone;
    std::int32_t available = 0;
  };
  // A run of consecutive positions. Runs are numbered once and keep their
  // number; `rank` is where the run stands in the sequence.
  struct Run {
    std::vector<Slot> slots;
    std::size_t rank = 0;
  };
  // A node of the tree over the runs: the positions below it and their
  // smallest available name (smallest == kNone: none available).
  struct Node {
    std::uint64_t smallestPrefix = 0;
    std::int32_t smallest = kNone;
    std::uint32_t count = 0;
  };
  struct Place {
    std::size_t rank = 0;
    std::size_t offset = 0;
  };

  // The first eight bytes of a name as one number, zero-padded: two names
  // whose numbers differ sort as their numbers do.
  static std::uint64_t PrefixOf(const std::string& nameKey);
  // Whether the name of `entry` (whose prefix is given) sorts before nameKey.
  bool SortsBefore(int entry, std::uint64_t entryPrefix, const std::string& nameKey,
                   std::uint64_t keyPrefix) const;

  // The node that holds the smaller name of two.
  const Node& Smaller(const Node& a, const Node& b) const;
  Node Summary(const Run& run) const;
  // Recomputes a node from its children; false when it stays the same.
  bool Pull(std::size_t node);
  // Brings the nodes above two leaves (or one, given twice) up to date.
  void PullUp(std::size_t first, std::size_t second);
  // Recomputes a run's leaf and the nodes above it.
  void Refresh(std::size_t rank);
  // Rebuilds the tree over the given leaves, by rank, with room for at
  // least one more run.
  void Plant(std::vector<Node> leafNodes);
  std::vector<Node> Leaves() const;
  std::size_t StartOf(std::size_t rank) const;
  // The last rank before `limit` whose smallest available name sorts
  // before nameKey, or kNone.
  long LastRankBefore(std::size_t limit, const std::string& nameKey, std::uint64_t keyPrefix) const;

  Place PlaceOfEntry(int index) const;
  Place PlaceOfPosition(std::size_t position) const;
  std::size_t StopBefore(Place place, const std::string& nameKey) const;
  void Move(Place from, Place to);
  void SplitIfFull(std::size_t rank);
  void AppendRun();
  // Cuts a whole sequence into fresh runs.
  void Rebuild(const std::vector<Slot>& sequence);

  std::vector<Run> runs;              // by run number
  std::vector<std::uint32_t> runAt;   // run number by rank
  std::vector<Node> tree;             // node 1 the root, leaves from `leaves` on, by rank
  std::size_t leaves = 0;             // a power of two above runAt.size()
  std::vector<std::uint32_t> runOf;   // by entry index
  std::vector<std::uint8_t> availableOf;  // by entry index, as in its slot
  std::vector<std::string> keys;      // the names, by entry index
};

}  // namespace tolvane
