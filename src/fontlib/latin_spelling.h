#pragma once
// The Latin spelling of a character, from the table generated from ICU (see
// latin_table.h): printable ASCII only, empty for a character that is dropped
// (a combining mark, a variation selector), "?" for one that has no spelling
// (an emoji, a symbol, a private-use or unassigned code point).
#include <string_view>

namespace tolvane::fontlib {

struct LatinSpelling {
  std::string_view text;
  // A Chinese character's syllable: two in a row are written apart.
  bool syllable = false;
};

LatinSpelling LatinSpellingOf(char32_t codePoint);

}  // namespace tolvane::fontlib
