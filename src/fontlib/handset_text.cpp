#include "fontlib/handset_text.h"

#include <cstdlib>

#include "common/bounded_text.h"
#include "fontlib/latin_spelling.h"
#include "fontlib/unicode_text.h"

namespace tolvane::fontlib {

std::string ToHandsetText(std::string_view utf8) {
  std::string shown;
  bool afterSyllable = false;
  for (const char32_t c : DecodeUtf8(utf8)) {
    const LatinSpelling spelling = LatinSpellingOf(c);
    // A dropped character leaves the syllables around it one name.
    if (spelling.text.empty()) continue;
    const bool apart = spelling.syllable && afterSyllable;
    if (shown.size() + (apart ? 1 : 0) + spelling.text.size() > kMaxTextLength) break;
    if (apart) shown.push_back(' ');
    shown.append(spelling.text);
    afterSyllable = spelling.syllable;
  }
  return shown;
}

std::string FormatBalance(int hundredths) {
  // Widened first: the magnitude of the most negative int does not fit an int.
  const long long value = hundredths;
  const long long magnitude = std::llabs(value);
  const long long cents = magnitude % 100;
  std::string text = value < 0 ? "-" : "";
  text += std::to_string(magnitude / 100);
  text += '.';
  text += static_cast<char>('0' + cents / 10);
  text += static_cast<char>('0' + cents % 10);
  return text;
}

}  // namespace tolvane::fontlib
