#pragma once
// A text owned by a call record: a heap buffer holding the characters and
// their terminating zero, or nothing at all. "Nothing" and "a bare
// terminator" are different states: reading nothing leaves the caller's
// buffer untouched, reading a bare terminator clears its first byte.
#include <cstddef>
#include <memory>
#include <string_view>

namespace tolvane {

class OwnedText {
 public:
  OwnedText() = default;
  OwnedText(const OwnedText& other);
  OwnedText& operator=(const OwnedText& other);
  OwnedText(OwnedText&&) noexcept = default;
  OwnedText& operator=(OwnedText&&) noexcept = default;
  ~OwnedText() = default;

  // Stores the text given as pointer and length counting the terminator.
  // Reading stops at the first zero byte within that length, so a length
  // larger than the caller's string never reads past its terminator; a text
  // longer than 254 characters is cut. A null pointer or a length below 1
  // leaves the text empty.
  void Set(const char* text, int length);
  void Clear();

  bool IsEmpty() const { return size == 0; }
  // Stored bytes, terminator included; 0 when empty.
  int Size() const { return static_cast<int>(size); }
  // The characters, terminated; "" when nothing is stored.
  const char* CStr() const { return size == 0 ? "" : bytes.get(); }
  // The characters without the terminator; empty when nothing is stored.
  std::string_view View() const;
  // Copies the stored bytes into a 255-byte caller buffer; copies nothing
  // when empty.
  void CopyTo(char* out) const;

 private:
  std::unique_ptr<char[]> bytes;
  std::size_t size = 0;
};

}  // namespace tolvane
