#include "phone_state/call_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/bounded_text.h"

namespace tolvane {
namespace {

std::string ReadInto255(const OwnedText& text, char fill = '#') {
  char buffer[kTextBufferSize + 1];
  std::memset(buffer, fill, sizeof buffer);
  text.CopyTo(buffer);
  EXPECT_EQ(buffer[kTextBufferSize], fill) << "wrote past the 255-byte buffer";
  buffer[kTextBufferSize] = '\0';
  return std::string(buffer);
}

TEST(CallRecordTest, NewRecordHasTheDocumentedInitialValues) {
  const CallRecord record(42);
  EXPECT_EQ(record.GetCallId(), 42);
  EXPECT_EQ(record.GetTimestamp(), 0);
  EXPECT_EQ(record.GetType(), -1);
  EXPECT_EQ(record.GetStatus(), -1);
  EXPECT_EQ(record.GetAux1(), -1);
  EXPECT_EQ(record.GetAux2(), 0);
  EXPECT_EQ(record.GetDuration(), 0);
  EXPECT_EQ(record.GetSeen(), 0);
  EXPECT_EQ(record.GetHasDetails(), 0);
  EXPECT_TRUE(record.PartnerHandle().IsEmpty());
  EXPECT_TRUE(record.ExtraText().IsEmpty());
  EXPECT_TRUE(record.DisplayName().IsEmpty());
}

TEST(OwnedTextTest, StoresTheTextWithItsTerminator) {
  OwnedText text;
  text.Set("alice", 6);
  EXPECT_EQ(text.Size(), 6);
  EXPECT_EQ(ReadInto255(text), "alice");
}

TEST(OwnedTextTest, TextLongerThan254CharactersIsCutWhenStored) {
  const std::string longText(400, 'k');
  OwnedText text;
  text.Set(longText.c_str(), static_cast<int>(longText.size()) + 1);
  EXPECT_EQ(text.Size(), 255);
  EXPECT_EQ(ReadInto255(text), std::string(254, 'k'));
}

TEST(OwnedTextTest, LengthBeyondTheTerminatorDoesNotReadPastIt) {
  // The text sits at the very end of its buffer; a length that overstates it
  // must not make the store read the bytes after the terminator.
  char source[4] = {'a', 'b', 'c', '\0'};
  OwnedText text;
  text.Set(source, 200);
  EXPECT_EQ(text.Size(), 4);
  EXPECT_EQ(ReadInto255(text), "abc");
}

TEST(OwnedTextTest, LengthShorterThanTheTextKeepsWhatFitsAndTerminates) {
  OwnedText text;
  text.Set("abcdef", 3);
  EXPECT_EQ(text.Size(), 3);
  EXPECT_EQ(ReadInto255(text), "ab");
}

TEST(OwnedTextTest, NullPointerOrNoLengthClearsTheText) {
  OwnedText text;
  text.Set("bob", 4);
  text.Set(nullptr, 4);
  EXPECT_TRUE(text.IsEmpty());
  text.Set("bob", 4);
  text.Set("bob", 0);
  EXPECT_TRUE(text.IsEmpty());
}

TEST(OwnedTextTest, EmptyTextCopiesNothingButABareTerminatorClearsTheBuffer) {
  OwnedText empty;
  EXPECT_EQ(ReadInto255(empty, 'z').substr(0, 3), "zzz");

  OwnedText bare;
  bare.Set("", 1);
  EXPECT_FALSE(bare.IsEmpty());
  EXPECT_EQ(ReadInto255(bare, 'z'), "");
}

TEST(OwnedTextTest, CopyIsIndependentOfTheOriginal) {
  OwnedText original;
  original.Set("carol", 6);
  OwnedText copy = original;
  original.Set("dave", 5);
  EXPECT_EQ(copy.View(), "carol");
  OwnedText empty;
  copy = empty;
  EXPECT_TRUE(copy.IsEmpty());
}

TEST(CallRecordTest, ClearCallKeepsDurationTimestampDetailsAndSpares) {
  CallRecord record(5);
  record.SetStatus(3);
  record.SetType(1);
  record.SetSeen(0);
  record.SetDuration(30);
  record.SetTimestamp(1000);
  record.SetHasDetails(1);
  record.SetAux1(7);
  record.SetAux2(8);
  record.SetDisplayName("x", 2);
  record.ClearCall();
  EXPECT_EQ(record.GetCallId(), 0);
  EXPECT_EQ(record.GetStatus(), -1);
  EXPECT_EQ(record.GetType(), -1);
  EXPECT_EQ(record.GetSeen(), 1);
  EXPECT_TRUE(record.DisplayName().IsEmpty());
  EXPECT_EQ(record.GetDuration(), 30);
  EXPECT_EQ(record.GetTimestamp(), 1000);
  EXPECT_EQ(record.GetHasDetails(), 1);
  EXPECT_EQ(record.GetAux1(), 7);
  EXPECT_EQ(record.GetAux2(), 8);
}

}  // namespace
}  // namespace tolvane
