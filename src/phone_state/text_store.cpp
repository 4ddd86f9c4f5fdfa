#include "phone_state/text_store.h"

#include <limits>
#include <stdexcept>

namespace tolvane {
namespace {

// Below this, dropped bytes are not worth a copy of the whole store.
constexpr std::size_t kMinimumDropped = 4096;

}  // namespace

TextStore::TextStore() : bytes(1, '\0') {}

TextStore::Ref TextStore::Add(std::string_view text) {
  if (text.empty()) return Ref{};
  if (bytes.size() + text.size() + 1 > std::numeric_limits<std::uint32_t>::max()) {
    throw std::length_error("text store full");
  }
  const Ref ref{static_cast<std::uint32_t>(bytes.size()), static_cast<std::uint32_t>(text.size())};
  bytes.append(text);
  bytes.push_back('\0');
  return ref;
}

void TextStore::Drop(Ref ref) {
  if (ref.size > 0) dropped += ref.size + 1;
}

bool TextStore::WorthCompacting() const { return dropped > kMinimumDropped && dropped > bytes.size() / 2; }

}  // namespace tolvane
