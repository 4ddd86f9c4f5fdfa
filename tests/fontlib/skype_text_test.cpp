#include "fontlib/skype_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/bounded_text.h"
#include "fontlib/fake_code_pages.h"

namespace tolvane::fontlib {
namespace {

using testing::DoubleByteCodePage;
using testing::Latin1CodePage;

// A text buffer with a guard byte right after its 255 bytes.
struct GuardedBuffer {
  GuardedBuffer() {
    std::memset(bytes, 'x', sizeof bytes);
    bytes[kTextBufferSize] = '#';
  }
  bool GuardIntact() const { return bytes[kTextBufferSize] == '#'; }
  std::string Text() const { return std::string(bytes); }
  char bytes[kTextBufferSize + 1];
};

TEST(SkypeTextTest, LocalTextBecomesUtf8AndBack) {
  const Latin1CodePage codePage;
  GuardedBuffer utf8;
  EXPECT_EQ(LocalToSkypeText(codePage, "Caf\xE9 Speakers", utf8.bytes), 14u);
  EXPECT_EQ(utf8.Text(), "Caf\xC3\xA9 Speakers");

  GuardedBuffer local;
  EXPECT_EQ(SkypeToLocalText(codePage, utf8.Text(), local.bytes), 13u);
  EXPECT_EQ(local.Text(), "Caf\xE9 Speakers");
}

TEST(SkypeTextTest, EmptyTextGivesEmptyBuffer) {
  const Latin1CodePage codePage;
  GuardedBuffer out;
  EXPECT_EQ(LocalToSkypeText(codePage, "", out.bytes), 0u);
  EXPECT_EQ(out.Text(), "");
  EXPECT_EQ(SkypeToLocalText(codePage, "", out.bytes), 0u);
  EXPECT_EQ(out.Text(), "");
}

TEST(SkypeTextTest, CharactersTheCodePageLacksStayVisible) {
  const Latin1CodePage codePage;
  GuardedBuffer out;
  SkypeToLocalText(codePage, "Mic \xE4\xB8\xAD\xC3", out.bytes);  // CJK, then a cut sequence
  EXPECT_EQ(out.Text(), "Mic ??");
}

TEST(SkypeTextTest, OverLongAsciiIsCutAt254Bytes) {
  const Latin1CodePage codePage;
  const std::string longText(400, 'a');
  GuardedBuffer toSkype;
  EXPECT_EQ(LocalToSkypeText(codePage, longText, toSkype.bytes), kMaxTextLength);
  EXPECT_EQ(toSkype.Text(), std::string(kMaxTextLength, 'a'));
  EXPECT_TRUE(toSkype.GuardIntact());

  GuardedBuffer fromSkype;
  EXPECT_EQ(SkypeToLocalText(codePage, longText, fromSkype.bytes), kMaxTextLength);
  EXPECT_TRUE(fromSkype.GuardIntact());
}

// Each case puts a two-byte character across the 254-byte limit.
TEST(SkypeTextTest, CutFallsOnACharacterBoundary) {
  const Latin1CodePage latin1;
  GuardedBuffer utf8;
  // 253 ASCII letters and an e-acute: its two UTF-8 bytes would end at 255.
  LocalToSkypeText(latin1, std::string(253, 'a') + "\xE9" + "b", utf8.bytes);
  EXPECT_EQ(utf8.Text(), std::string(253, 'a'));
  EXPECT_TRUE(utf8.GuardIntact());

  // 200 e-acutes are 400 UTF-8 bytes: 127 whole characters fit.
  std::string accents;
  for (int i = 0; i < 200; ++i) accents += "\xE9";
  LocalToSkypeText(latin1, accents, utf8.bytes);
  EXPECT_EQ(utf8.Text().size(), 254u);
  EXPECT_EQ(DecodeUtf8(utf8.Text()), std::u32string(127, U'\u00E9'));

  const DoubleByteCodePage doubleByte;
  GuardedBuffer local;
  std::string utf8Input(253, 'a');
  utf8Input += "\xE4\xB8\xAD";  // one two-byte character of the local code page
  SkypeToLocalText(doubleByte, utf8Input, local.bytes);
  EXPECT_EQ(local.Text(), std::string(253, 'a'));
  EXPECT_TRUE(local.GuardIntact());

  std::string cjk;
  for (int i = 0; i < 150; ++i) cjk += "\xE4\xB8\xAD";
  EXPECT_EQ(SkypeToLocalText(doubleByte, cjk, local.bytes), 254u);
  EXPECT_EQ(doubleByte.Decode(local.Text()), std::u16string(127, u'\u4E2D'));
}

}  // namespace
}  // namespace tolvane::fontlib
