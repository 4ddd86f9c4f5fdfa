#include "protocol/status_words.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

struct WordCase {
  const char* word;
  int code;
};

TEST(CallStatusCodeTest, EveryStatusWordHasItsCode) {
  constexpr WordCase kCases[] = {
      {"ROUTING", 0},       {"INPROGRESS", 3},          {"FINISHED", 4},      {"MISSED", 5},
      {"FAILED", 6},        {"REFUSED", 7},             {"BUSY", 8},          {"CANCELLED", 9},
      {"LOCALHOLD", 15},    {"REMOTEHOLD", 15},         {"VM_PLAYING_GREETING", 17},
      {"VM_RECORDING", 18}, {"VM_SENT", 20},            {"VM_CANCELLED", 21}, {"VM_REDIRECT", 22},
      {"EARLYMEDIA", 23},
  };
  for (const WordCase& c : kCases) {
    EXPECT_EQ(CallStatusCode(c.word, kCallStatusNone), c.code) << c.word;
    // Only RINGING depends on what the call was before.
    EXPECT_EQ(CallStatusCode(c.word, kCallStatusRouting), c.code) << c.word;
  }
}

TEST(CallStatusCodeTest, RingingRingsAtTheFarEndOnlyForARoutingCall) {
  EXPECT_EQ(CallStatusCode("RINGING", kCallStatusRouting), kCallStatusRingingOut);
  for (int previous : {kCallStatusNone, kCallStatusRingingIn, kCallStatusInProgress, kCallStatusEarlyMedia}) {
    EXPECT_EQ(CallStatusCode("RINGING", previous), kCallStatusRingingIn) << previous;
  }
}

TEST(CallStatusCodeTest, UnknownWordsAreNotRecognised) {
  for (const char* word : {"", "ringing", "Routing", "UNPLACED", "ONHOLD", "RINGING ", "HOLD", "VM_FAILED"}) {
    EXPECT_FALSE(CallStatusCode(word, kCallStatusNone).has_value()) << '"' << word << '"';
  }
}

TEST(CallTypeCodeTest, TypesAndUnknownWords) {
  constexpr WordCase kCases[] = {
      {"INCOMING_P2P", 0}, {"OUTGOING_P2P", 1}, {"INCOMING_PSTN", 2}, {"OUTGOING_PSTN", 3},
      {"incoming_p2p", -1}, {"", -1},           {"INCOMING", -1},
  };
  for (const WordCase& c : kCases) EXPECT_EQ(CallTypeCode(c.word), c.code) << c.word;
}

TEST(CallTypeCodeTest, OnlyIncomingTypesCountAsIncoming) {
  EXPECT_TRUE(IsIncomingCallType(kCallTypeIncomingP2P));
  EXPECT_TRUE(IsIncomingCallType(kCallTypeIncomingPstn));
  EXPECT_FALSE(IsIncomingCallType(kCallTypeOutgoingP2P));
  EXPECT_FALSE(IsIncomingCallType(kCallTypeOutgoingPstn));
  EXPECT_FALSE(IsIncomingCallType(kCallTypeNone));
}

TEST(OnlineStatusCodeTest, StatusesAndUnknownWordsAsOffline) {
  constexpr WordCase kCases[] = {
      {"ONLINE", 0},   {"OFFLINE", 1},   {"SKYPEME", 2}, {"AWAY", 3},     {"NA", 4},
      {"DND", 5},      {"INVISIBLE", 6}, {"SKYPEOUT", 7}, {"online", 1}, {"LOGGEDOUT", 1},
      {"UNKNOWN", 1},  {"", 1},
  };
  for (const WordCase& c : kCases) EXPECT_EQ(OnlineStatusCode(c.word), c.code) << c.word;
}

TEST(UserStatusCodeTest, OwnStatusesAndUnknownWordsAsOffline) {
  constexpr WordCase kCases[] = {
      {"ONLINE", 0}, {"OFFLINE", 1},   {"SKYPEME", 2},  {"AWAY", 3},      {"NA", 4},
      {"DND", 5},    {"INVISIBLE", 6}, {"SKYPEOUT", 1}, {"LOGGEDOUT", 1}, {"Away", 1}, {"", 1},
  };
  for (const WordCase& c : kCases) EXPECT_EQ(UserStatusCode(c.word), c.code) << c.word;
}

TEST(ConnStatusCodeTest, StatusesAndUnknownWordsAsOffline) {
  constexpr WordCase kCases[] = {
      {"OFFLINE", 0}, {"CONNECTING", 1}, {"ONLINE", 3}, {"LOGGEDOUT", 4},
      {"PAUSING", 0}, {"online", 0},     {"", 0},
  };
  for (const WordCase& c : kCases) EXPECT_EQ(ConnStatusCode(c.word), c.code) << c.word;
}

TEST(SeenFlagTest, OnlyExactTrueIsSeen) {
  EXPECT_EQ(SeenFlag("TRUE"), 1);
  for (const char* word : {"FALSE", "true", "", "TRUE1", "1"}) EXPECT_EQ(SeenFlag(word), 0) << word;
}

TEST(EqualsIgnoreCaseTest, PrivilegeWordsInAnyCase) {
  EXPECT_TRUE(EqualsIgnoreCase("skypeout", "SKYPEOUT"));
  EXPECT_TRUE(EqualsIgnoreCase("SkYpEoUt", "skypeout"));
  EXPECT_TRUE(EqualsIgnoreCase("true", "TRUE"));
  EXPECT_TRUE(EqualsIgnoreCase("", ""));
  EXPECT_FALSE(EqualsIgnoreCase("TRUEX", "TRUE"));
  EXPECT_FALSE(EqualsIgnoreCase("FALSE", "TRUE"));
  EXPECT_FALSE(EqualsIgnoreCase("skype0ut", "SKYPEOUT"));
  EXPECT_FALSE(EqualsIgnoreCase("\xc3\xa9", "\xc3\x89"));  // only ASCII letters fold
}

}  // namespace
}  // namespace tolvane
