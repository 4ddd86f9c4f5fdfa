#include "fontlib/handset_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <string>

#include "common/bounded_text.h"

namespace tolvane::fontlib {
namespace {

TEST(ToHandsetTextTest, SpellsEveryCharacterInPrintableAscii) {
  const struct {
    const char* utf8;
    const char* shown;
  } cases[] = {
      {"John Smith", "John Smith"},
      {" !~", " !~"},
      {"Caf\xC3\xA9", "Cafe"},
      {"Zoe\xCC\x88", "Zoe"},                          // a combining mark is dropped
      {"\xE7\x8E\x8B\xE5\xB0\x8F\xE6\x98\x8E", "Wang Xiao Ming"},  // syllables apart
      {"\xE7\x8E\x8B \xE5\xB0\x8F", "Wang Xiao"},         // no second space
      {"\xE7\x8E\x8B\xEF\xB8\x8F\xE5\xB0\x8F", "Wang Xiao"},  // across a dropped selector
      {"Li\xE7\x8E\x8B", "LiWang"},                    // only syllables are set apart
      {"Ann\xF0\x9F\x98\x80", "Ann?"},                 // no Latin spelling: one mark
      {"\xE2\x9D\xA4\xEF\xB8\x8F", "?"},                 // and its variation selector dropped
      {"a\tb\x7F" "c", "a?b?c"},                        // control characters and DEL
      {"x\xC3", "x?"},                                  // a sequence cut short
      {"\xEE\x80\x80", "?"},                             // private use
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ToHandsetText(c.utf8), c.shown) << c.utf8;
}

// Real-looking names in many scripts, from the data file beside this test.
TEST(ToHandsetTextTest, ShowsNamesInTheirLatinSpelling) {
  std::ifstream names(TOLVANE_LATIN_NAMES);
  ASSERT_TRUE(names) << TOLVANE_LATIN_NAMES;
  int count = 0;
  for (std::string line; std::getline(names, line);) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    const std::string shown = line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1);
    EXPECT_EQ(ToHandsetText(line.substr(0, tab)), shown) << line;
    ++count;
  }
  EXPECT_GE(count, 90);
}

std::string Repeated(std::string_view piece, std::size_t times, std::string_view between = "") {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) (text += i == 0 ? "" : between) += piece;
  return text;
}

TEST(ToHandsetTextTest, KeepsAtMost254CharactersAndNeverPartOfOne) {
  const struct {
    const char* character;
    std::string shown;
  } cases[] = {
      {"\xC3\xA9", Repeated("e", kMaxTextLength)},
      // "AE" each: a 128th would end at 256.
      {"\xC3\x86", Repeated("AE", 127)},
      // "Zhang" and a space each: a 43rd would end at 257.
      {"\xE5\xBC\xA0", Repeated("Zhang", 42, " ")},
  };
  for (const auto& c : cases) EXPECT_EQ(ToHandsetText(Repeated(c.character, 300)), c.shown) << c.character;
}

TEST(FormatBalanceTest, ShowsHundredthsAsAmountWithTwoDecimals) {
  const struct {
    int hundredths;
    const char* shown;
  } cases[] = {
      {0, "0.00"},        {1, "0.01"},       {10, "0.10"},     {99, "0.99"},
      {100, "1.00"},      {1234, "12.34"},   {-5, "-0.05"},    {-1234, "-12.34"},
      {INT_MAX, "21474836.47"}, {INT_MIN, "-21474836.48"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatBalance(c.hundredths), c.shown) << c.hundredths;
}

}  // namespace
}  // namespace tolvane::fontlib
