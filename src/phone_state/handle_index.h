#pragma once
// The contact store's index from upper-cased handle to the first entry that
// carries it: an open-addressing table of (hash, entry) pairs in one array.
// A look-up reads one slot and then the entry itself, which the caller
// reads anyway; a node-based map would add a fetch per look-up, and a list
// of thousands of contacts does not fit the processor's caches.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace tolvane {

class HandleIndex {
 public:
  void Clear() {
    slots_.clear();
    used_ = 0;
  }

  // Room for `count` keys without growing.
  void Reserve(std::size_t count) {
    if (count * 2 > slots_.size()) Rehash(count * 2);
  }

  // The entry stored for `key`, or -1. keyOf(entry) is that entry's key.
  template <typename KeyOf>
  int Find(std::string_view key, KeyOf&& keyOf) const {
    if (slots_.empty()) return -1;
    const std::uint32_t hash = Hash(key);
    for (std::size_t at = hash & Mask();; at = (at + 1) & Mask()) {
      const Slot& slot = slots_[at];
      if (slot.entry < 0) return -1;
      if (slot.hash == hash && keyOf(slot.entry) == key) return slot.entry;
    }
  }

  // Stores `entry` for `key` unless the key has an entry already.
  template <typename KeyOf>
  void Insert(std::string_view key, int entry, KeyOf&& keyOf) {
    if (Find(key, keyOf) >= 0) return;
    Reserve(used_ + 1);
    Place(Slot{Hash(key), entry});
    ++used_;
  }

 private:
  struct Slot {
    std::uint32_t hash = 0;
    std::int32_t entry = -1;
  };

  static std::uint32_t Hash(std::string_view key) {
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(key));
  }
  std::size_t Mask() const { return slots_.size() - 1; }

  void Place(Slot slot) {
    std::size_t at = slot.hash & Mask();
    while (slots_[at].entry >= 0) at = (at + 1) & Mask();
    slots_[at] = slot;
  }

  // Keys are distinct, so the slots move by their hashes alone.
  void Rehash(std::size_t atLeast) {
    std::size_t size = 16;
    while (size < atLeast) size *= 2;
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(size, Slot{});
    for (const Slot& slot : old) {
      if (slot.entry >= 0) Place(slot);
    }
  }

  std::vector<Slot> slots_;  // a power of two in size, at most half used
  std::size_t used_ = 0;
};

}  // namespace tolvane
