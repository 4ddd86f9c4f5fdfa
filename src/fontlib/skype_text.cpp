#include "fontlib/skype_text.h"

#include <cstring>
#include <string>

#include "common/bounded_text.h"
#include "fontlib/unicode_text.h"

namespace tolvane::fontlib {
namespace {

// Appends whole pieces while they fit in a text buffer; the first piece that
// would not fit ends the text, so no character is ever split.
class BoundedWriter {
 public:
  explicit BoundedWriter(char* out) : out_(out) {}

  bool Append(std::string_view piece) {
    if (length_ + piece.size() > kMaxTextLength) return false;
    std::memcpy(out_ + length_, piece.data(), piece.size());
    length_ += piece.size();
    return true;
  }

  std::size_t Finish() {
    out_[length_] = '\0';
    return length_;
  }

 private:
  char* out_;
  std::size_t length_ = 0;
};

}  // namespace

std::size_t LocalToSkypeText(const LocalCodePage& codePage, std::string_view local, char* out) {
  BoundedWriter writer(out);
  std::string piece;
  for (const char32_t c : DecodeUtf16(codePage.Decode(local))) {
    piece.clear();
    AppendUtf8(c, piece);
    if (!writer.Append(piece)) break;
  }
  return writer.Finish();
}

std::size_t SkypeToLocalText(const LocalCodePage& codePage, std::string_view utf8, char* out) {
  BoundedWriter writer(out);
  std::u16string character;
  for (const char32_t c : DecodeUtf8(utf8)) {
    character.clear();
    AppendUtf16(c, character);
    if (!writer.Append(codePage.EncodeCharacter(character))) break;
  }
  return writer.Finish();
}

}  // namespace tolvane::fontlib
