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
// positions, each two small arrays of fixed size: for every position its
// sort key (the first bytes of the name while available, else a mark above
// every name) and its entry, so that a walk reads eight bytes a position and
// a search for an entry four. Over the runs, in their order, lies a small
// complete binary tree whose nodes count the positions below them and
// record their smallest available name. A walk reads its own run
// backwards, finds the nearest earlier run that holds a name sorting before
// its own through the tree, and reads that run; a move shifts the arrays of
// two runs and brings two paths of the tree up to date. The tree has one
// node per run and so stays in the cache, and what the order knows of each
// entry (its name's first bytes, its run, whether it is available) lies in
// one record, so that a status change fetches one place for it.
//
// Entry indexes are 0..Size()-1: each element is one entry of the store,
// and the store numbers its entries by their place in its own sequence.
//
// Names are the store's: the order keeps the first eight bytes of each
// entry's upper-cased name and asks the store for the whole name only when
// two names agree in those. Names hold no zero bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

class DisplayOrder {
 public:
  // nameKeyOf(index): the upper-cased name of an entry, as last given to
  // PushBack or Update.
  using NameKeyOf = std::function<std::string(int index)>;
  explicit DisplayOrder(NameKeyOf nameKeyOf);

  std::size_t Size() const { return places.size(); }
  void Clear();

  // Room for `count` entries without growing.
  void Reserve(std::size_t count);
  // Appends the entry numbered Size() at the end. The store holds that
  // entry already: nameKeyOf may be asked for its name.
  void PushBack(bool available, std::string_view nameKey);
  // Takes an entry out; the entries numbered above it move down by one. The
  // store has renumbered its own entries already: nameKeyOf may be asked
  // for names by the new numbers.
  void Remove(int index);

  // The entry at a position (< Size()).
  int At(std::size_t position) const;
  // The position of an entry (< Size()).
  std::size_t PositionOf(int index) const;
  // The whole order, position by position.
  std::vector<int> Entries() const;

  // Records a changed status or name of an entry.
  void Update(int index, bool available, std::string_view nameKey);
  // Records a changed status of an entry.
  void SetAvailable(int index, bool available);

  // Moves the entry at position `from` to position `to` (to <= from); the
  // entries in between move one place back.
  void MoveForward(std::size_t from, std::size_t to);

  // Moves an entry forward past every entry that is not available or whose
  // name does not sort before its own (byte-wise): to one behind the last
  // available entry before it whose name sorts before, or to the front.
  // Returns the entry's new position.
  std::size_t WalkForward(int index);
  // SetAvailable(index, true) and WalkForward(index) in one step.
  std::size_t BecomeAvailable(int index);

 private:
  static constexpr int kNone = -1;
  // The sort key of a position whose entry is not available: above every
  // name's prefix (see PrefixOf).
  static constexpr std::uint64_t kUnavailable = ~std::uint64_t{0};
  // A run is filled to kFill positions when the order is built or grows at
  // its end, and split in two when a move brings it past kMax: short enough
  // that shifting one costs less than a fetch from memory, long enough that
  // the tree over the runs stays small.
  static constexpr std::size_t kFill = 64;
  static constexpr std::size_t kMax = 2 * kFill;

  // What the order knows of one entry, in one place: a status change reads
  // all of it.
  struct EntryPlace {
    std::uint64_t prefix = 0;     // the name's first bytes (see PrefixOf)
    std::uint32_t run = 0;        // the run that holds its position
    std::uint32_t available = 0;  // as in its position's key
  };
  // One position of the sequence, when a whole sequence is rebuilt.
  struct Slot {
    std::uint64_t key = kUnavailable;
    std::int32_t entry = kNone;
  };
  // A run of consecutive positions. Runs are numbered once and keep their
  // number; `rank` is where the run stands in the sequence. A move may add
  // one position past kMax before the run is split.
  struct Run {
    std::uint32_t size = 0;
    std::uint32_t rank = 0;
    std::array<std::uint64_t, kMax + 1> keys{};
    std::array<std::int32_t, kMax + 1> entries{};
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

  // The first eight bytes of a name as one number, zero-padded and kept
  // below kUnavailable: two names whose numbers differ sort as their
  // numbers do.
  static std::uint64_t PrefixOf(std::string_view nameKey);
  // Whether the position's name sorts before that of the entry `index`,
  // whose prefix is given; false when it is not available.
  bool PositionSortsBefore(std::uint64_t key, int entry, int index, std::uint64_t prefix) const {
    return key < prefix || (key == prefix && SortsBefore(entry, key, index, prefix));
  }
  // Whether the name of `entry` sorts before that of `other` (their
  // prefixes given).
  bool SortsBefore(int entry, std::uint64_t entryPrefix, int other, std::uint64_t otherPrefix) const;

  // The node that holds the smaller name of two.
  const Node& Smaller(const Node& a, const Node& b) const;
  Node Summary(const Run& run) const;
  // The whole sequence, position by position.
  std::vector<Slot> Sequence() const;
  // How far a change goes up the tree: while nodes change (no name
  // changed), or to the root (a name changed).
  enum class Climb { kWhileChanged, kToRoot };
  // Records whether an entry is available, in its position's key too.
  void SetKey(int index, bool available, Climb climb);
  static bool SameNode(const Node& a, const Node& b);
  // A node as its children make it.
  Node Combined(std::size_t node) const;
  // Recomputes a node from its children; false when it stays the same.
  bool Pull(std::size_t node);
  // Every leaf summarises its run and every node its children: asserted
  // after each change in debug builds.
  bool TreeIsConsistent() const;
  // Brings the nodes above two leaves (or one, given twice) up to date.
  void PullUp(std::size_t first, std::size_t second, Climb climb);
  // Recomputes a run's leaf and the nodes above it.
  void Refresh(std::size_t rank, Climb climb);
  // Rebuilds the tree over the given leaves, by rank, with room for at
  // least one more run.
  void Plant(std::vector<Node> leafNodes);
  std::vector<Node> Leaves() const;
  std::size_t StartOf(std::size_t rank) const;
  // The last rank before `limit` whose smallest available name sorts
  // before that of the entry `index`, or kNone.
  long LastRankBefore(std::size_t limit, int index, std::uint64_t prefix) const;

  Place PlaceOfEntry(int index) const;
  Place PlaceOfPosition(std::size_t position) const;
  // Where the entry at a place stops when it walks forward.
  std::size_t StopBefore(Place place) const;
  void Move(Place from, Place to);
  void SplitIfFull(std::size_t rank);
  void AppendRun();
  // Cuts a whole sequence into fresh runs.
  void Rebuild(const std::vector<Slot>& sequence);

  std::vector<Run> runs;              // by run number
  std::vector<std::uint32_t> runAt;   // run number by rank
  std::vector<Node> tree;             // node 1 the root, leaves from `leaves` on, by rank
  std::size_t leaves = 0;             // a power of two above runAt.size()
  std::vector<EntryPlace> places;  // by entry index
  NameKeyOf nameKeyOf;
};

}  // namespace tolvane
