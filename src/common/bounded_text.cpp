#include "common/bounded_text.h"

#include <cstring>

namespace tolvane {

std::size_t CopyBounded(char* dest, std::size_t size, std::string_view text) {
  if (size == 0) return 0;
  const std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
  if (n != 0) std::memcpy(dest, text.data(), n);
  dest[n] = '\0';
  return n;
}

std::string TextWithin(const char* data, std::size_t size) {
  if (data == nullptr || size == 0) return {};
  const void* end = std::memchr(data, '\0', size);
  return std::string(data, end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - data) : size);
}

}  // namespace tolvane
