#include "fontlib/handset_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "common/bounded_text.h"

namespace tolvane::fontlib {
namespace {

TEST(ToHandsetTextTest, ShowsPrintableAsciiAndOneMarkPerOtherCharacter) {
  const struct {
    const char* utf8;
    const char* shown;
  } cases[] = {
      {"John Smith", "John Smith"},
      {" !~", " !~"},
      {"Caf\xC3\xA9", "Caf?"},                      // two-byte character: one mark
      {"\xE7\x8E\x8B\xE5\xB0\x8F\xE6\x98\x8E", "???"},  // three CJK characters
      {"Ann\xF0\x9F\x98\x80", "Ann?"},
      {"a\tb\x7F" "c", "a?b?c"},                    // control characters and DEL
      {"x\xC3", "x?"},                              // a sequence cut short
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ToHandsetText(c.utf8), c.shown) << c.utf8;
}

TEST(ToHandsetTextTest, KeepsAtMost254Characters) {
  std::string many;
  for (int i = 0; i < 300; ++i) many += "\xC3\xA9";
  EXPECT_EQ(ToHandsetText(many), std::string(kMaxTextLength, '?'));
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
