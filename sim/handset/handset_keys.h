#pragma once
// The simulated handset's keys: the key codes a real handset reports, their
// names where the program's key table gives one, the label on the simulated
// keypad, and the sequence numbers that number key reports. Plain C++, so
// that it is tested on its own.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace simhandset {

struct HandsetKey {
  std::uint8_t code;
  std::string_view name;   // e.g. "KEY_PAD_HOOK_UP"; empty where the key has no name
  std::string_view label;  // what the simulated keypad shows
};

// Every key the handset has, in keypad order.
std::span<const HandsetKey> AllKeys();

// A key by its code (decimal or 0x hex) or its name; none for anything else.
std::optional<std::uint8_t> KeyCode(std::string_view word);

// Key reports carry a sequence number that runs 0, 1, 2, 3, 0, ...; the
// program acknowledges report n with 0x50 + n and drops a report whose number
// is not the one it expects next.
class KeySequence {
 public:
  // The number for the next report; the counter moves on.
  std::uint32_t Take();
  // The number the last report carried (the next one's when none was sent),
  // for sending a report again with the same number.
  std::uint32_t Last() const { return last_; }
  std::uint32_t Next() const { return next_; }
  void Reset() { next_ = last_ = 0; }

 private:
  std::uint32_t next_ = 0;
  std::uint32_t last_ = 0;
};

}  // namespace simhandset
