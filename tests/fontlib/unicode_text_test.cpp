#include "fontlib/unicode_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tolvane::fontlib {
namespace {

struct Utf8Case {
  const char* name;
  std::string utf8;
  std::u32string codePoints;
};

TEST(DecodeUtf8Test, DecodesWellFormedAndReplacesEachMalformedPiece) {
  const Utf8Case cases[] = {
      {"ascii", "Bob", U"Bob"},
      {"two bytes", "caf\xC3\xA9", U"caf\u00E9"},
      {"three bytes", "\xE4\xB8\xAD", U"\u4E2D"},
      {"four bytes", "\xF0\x9F\x98\x80", U"\U0001F600"},
      {"stray continuation", "a\x80" "b", U"a\uFFFDb"},
      {"cut short by ascii", "\xC3" "a", U"\uFFFDa"},
      {"cut short at the end", "ab\xE4\xB8", U"ab\uFFFD"},
      {"overlong slash", "\xC0\xAF", U"\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", U"\uFFFD"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", U"\uFFFD"},
      {"invalid lead", "\xFF" "x", U"\uFFFDx"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeUtf8(c.utf8), c.codePoints) << c.name;
  }
}

TEST(AppendUtf8Test, EncodesEveryLengthAndReplacesNonCharacters) {
  std::string out;
  for (const char32_t c : {U'A', U'\u00E9', U'\u4E2D', U'\U0001F600'}) AppendUtf8(c, out);
  EXPECT_EQ(out, "A\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");

  out.clear();
  AppendUtf8(0xD800, out);
  AppendUtf8(0x110000, out);
  EXPECT_EQ(out, "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf16Test, SurrogatePairsRoundTripAndLoneSurrogatesAreReplaced) {
  std::u16string wide;
  AppendUtf16(U'\U0001F600', wide);
  AppendUtf16(U'\u00E9', wide);
  EXPECT_EQ(wide, u"\U0001F600\u00E9");
  EXPECT_EQ(DecodeUtf16(wide), U"\U0001F600\u00E9");

  const char16_t lone[] = {0xD83D, u'x', 0xDE00};
  EXPECT_EQ(DecodeUtf16(std::u16string_view(lone, 3)), U"\uFFFDx\uFFFD");
}

}  // namespace
}  // namespace tolvane::fontlib
