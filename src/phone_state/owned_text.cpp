#include "phone_state/owned_text.h"

#include <cstring>

#include "common/bounded_text.h"

namespace tolvane {

OwnedText::OwnedText(const OwnedText& other) { *this = other; }

OwnedText& OwnedText::operator=(const OwnedText& other) {
  if (this != &other) {
    if (other.IsEmpty()) {
      Clear();
    } else {
      const std::string_view chars = other.View();
      Set(chars.data(), static_cast<int>(chars.size()) + 1);
    }
  }
  return *this;
}

void OwnedText::Set(const char* text, int length) {
  if (text == nullptr || length < 1) {
    Clear();
    return;
  }
  // Never look at more than the caller said it has, nor more than fits.
  std::size_t limit = static_cast<std::size_t>(length) - 1;
  if (limit > kMaxTextLength) limit = kMaxTextLength;
  std::size_t chars = 0;
  while (chars < limit && text[chars] != '\0') ++chars;

  auto fresh = std::make_unique<char[]>(chars + 1);
  if (chars != 0) std::memcpy(fresh.get(), text, chars);
  fresh[chars] = '\0';
  bytes = std::move(fresh);
  size = chars + 1;
}

void OwnedText::Clear() {
  bytes.reset();
  size = 0;
}

std::string_view OwnedText::View() const {
  if (size == 0) return {};
  return std::string_view(bytes.get(), size - 1);
}

void OwnedText::CopyTo(char* out) const {
  if (size == 0 || out == nullptr) return;
  CopyText(out, View());
}

}  // namespace tolvane
