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

}  // namespace tolvane
