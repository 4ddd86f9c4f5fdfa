#include "fontlib/latin_spelling.h"

#include "fontlib/latin_table.h"

namespace tolvane::fontlib {

LatinSpelling LatinSpellingOf(char32_t codePoint) {
  using namespace latin_table;
  if (codePoint >= kCodePointLimit) return {"?"};
  const std::uint32_t block = kBlockOfCodePoints[codePoint >> kBlockBits];
  const std::uint16_t id = kSpellingIds[block * kBlockSize + (codePoint & (kBlockSize - 1))];
  const std::uint32_t start = kSpellingStarts[id];
  return {std::string_view(kSpellingPool + start, kSpellingStarts[id + 1] - start), id >= kFirstSyllableId};
}

}  // namespace tolvane::fontlib
