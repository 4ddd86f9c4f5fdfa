// AnsiCaseMapping depends on the ANSI code page of the machine: the cases
// for one code page are skipped, saying so, on another.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/fakes/command_recording_link.h"
#include "phone_state/case_mapping_win.h"
#include "phone_state/contact_list.h"

namespace tolvane {
namespace {

TEST(AnsiCaseMappingTest, AsciiLettersAreUpperCasedAndTheRestKept) {
  const AnsiCaseMapping mapping;
  EXPECT_EQ(mapping.Upper("alice.Smith_42-x"), "ALICE.SMITH_42-X");
  EXPECT_EQ(mapping.Upper(""), "");
}

TEST(AnsiCaseMappingTest, WesternAccentedLettersMatchInCode1252) {
  if (GetACP() != 1252) GTEST_SKIP() << "ANSI code page is " << GetACP() << ", not 1252";
  const AnsiCaseMapping mapping;
  EXPECT_EQ(mapping.Upper("\xE9ric \xF8ystein"), "\xC9RIC \xD8YSTEIN");
  testing::CommandRecordingLink link;
  ContactList list{link, mapping};
  EXPECT_EQ(list.AddContact("\xE9ric", 1), kFail);  // added
  EXPECT_EQ(list.AddContact("\xC9RIC", 1), kOk);    // the same contact
}

TEST(AnsiCaseMappingTest, DoubleByteCharactersAreNotTornApart) {
  if (GetACP() != 932) GTEST_SKIP() << "ANSI code page is " << GetACP() << ", not 932 (Shift-JIS)";
  const AnsiCaseMapping mapping;
  // 0x83 0x61 is one katakana character whose second byte is 'a': upper-
  // casing it byte by byte would turn it into another character.
  EXPECT_EQ(mapping.Upper("\x83\x61" "a"), "\x83\x61" "A");
}

}  // namespace
}  // namespace tolvane
