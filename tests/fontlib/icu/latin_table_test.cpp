// The generated table against ICU: every code point's entry is what the
// generator's rules make of ICU's transliteration of that code point alone.
#include <gtest/gtest.h>

#include <string>

#include "fontlib/latin_spelling.h"
#include "fontlib/latin_table.h"
#include "latin_spelling_rules.h"

namespace tolvane::fontlib {
namespace {

TEST(LatinTableTest, EveryCodePointIsSpelledAsIcuSpellsItAlone) {
  const icu_spelling::LatinSpeller speller;
  int mismatches = 0;
  for (char32_t c = 0; c < latin_table::kCodePointLimit; ++c) {
    const icu_spelling::Spelling expected = speller.Of(static_cast<UChar32>(c));
    const LatinSpelling found = LatinSpellingOf(c);
    if (found.text == expected.text && found.syllable == expected.syllable) continue;
    // A few are enough to see what went wrong.
    if (++mismatches <= 10) {
      ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(c) << ": table \"" << found.text << "\""
                    << (found.syllable ? " (syllable)" : "") << ", ICU \"" << speller.Transliterate(static_cast<UChar32>(c))
                    << "\" -> \"" << expected.text << "\"" << (expected.syllable ? " (syllable)" : "");
    }
  }
  EXPECT_EQ(mismatches, 0);
}

// The rules on top of ICU, each on a character it exists for, so that a
// change of ICU's own spellings cannot pass for a rule that broke.
TEST(LatinTableTest, RulesOnTopOfIcu) {
  const struct {
    char32_t c;
    const char* text;
    bool syllable;
  } cases[] = {
      {U'A', "A", false},
      {U'\u00EB', "e", false},       // ICU's own spelling
      {U'\u738B', "Wang", true},     // a Chinese syllable, capitalised
      {U'\U00020000', "He", true},   // a supplementary ideograph
      {U'\u3087', "yo", false},      // a small kana without ICU's "~"
      {U'\u0639', "'", false},       // the ayin's half ring as an apostrophe
      {U'\u0301', "", false},        // a combining mark alone: dropped
      {U'\uFE0F', "", false},        // a variation selector: dropped
      {U'\U000E0101', "", false},    // a supplementary variation selector
      {U'\u200D', "", false},        // a joiner: dropped
      {U'\u30FC', "", false},        // the prolonged sound mark: dropped
      {U'\U0001F600', "?", false},   // an emoji
      {U'\u260E', "?", false},       // a symbol
      {U'\uE000', "?", false},       // private use
      {U'\U0003FFFD', "?", false},   // unassigned
      {U'\t', "?", false},           // a control character
      {U'\uFFFD', "?", false},       // what malformed UTF-8 decodes to
  };
  for (const auto& c : cases) {
    const LatinSpelling found = LatinSpellingOf(c.c);
    EXPECT_EQ(found.text, c.text) << "U+" << std::hex << static_cast<unsigned>(c.c);
    EXPECT_EQ(found.syllable, c.syllable) << "U+" << std::hex << static_cast<unsigned>(c.c);
  }
}

}  // namespace
}  // namespace tolvane::fontlib
