#pragma once
// Many small texts in one block of memory. A contact list of tens of
// thousands of contacts keeps its handles and names here instead of in
// strings of their own, three to a contact: the entries shrink to a few
// words and the list to a fraction of the memory, so that more of it stays
// in the processor's caches.
//
// A text is added at the end, followed by a zero byte (so its view can be
// handed to C interfaces), and found again by its place. Replacing a text
// leaves its old bytes behind; the owner counts them with Drop and, when
// WorthCompacting says so, copies its live texts into a fresh store.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tolvane {

class TextStore {
 public:
  // Where a text lies. Default: the empty text.
  struct Ref {
    std::uint32_t at = 0;
    std::uint32_t size = 0;
  };

  TextStore();

  // Throws std::length_error when the store would pass 4 GB.
  Ref Add(std::string_view text);
  // The text, followed in memory by its zero byte.
  std::string_view View(Ref ref) const { return {bytes.data() + ref.at, ref.size}; }
  const char* CString(Ref ref) const { return bytes.data() + ref.at; }

  // Records that a text is no longer used.
  void Drop(Ref ref);
  // More than half of the store is dropped texts.
  bool WorthCompacting() const;

  void Reserve(std::size_t count) { bytes.reserve(count); }
  std::size_t Size() const { return bytes.size(); }

 private:
  std::string bytes;  // starts with the empty text's zero byte
  std::size_t dropped = 0;
};

}  // namespace tolvane
