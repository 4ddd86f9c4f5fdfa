#include "protocol/command_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace tolvane {
namespace {

const CommandInputs kKnownInputs{"Tolvane", "USB Audio"};

struct CommandCase {
  int kind;
  const char* text;
};

// Every command, with a handle, a call id, an application name and a device
// name all available: each kind must take only the field it uses.
constexpr CommandCase kCommandTexts[] = {
    {1, "PROTOCOL 5"},
    {2, "PING"},
    {3, "SET AUDIO_IN USB Audio "},
    {4, "SET AUDIO_OUT USB Audio "},
    {5, "GET SKYPEVERSION"},
    {6, "SEARCH FRIENDS"},
    {7, "GET USER alice ONLINESTATUS"},
    {8, "GET CALL 42 PARTNER_HANDLE"},
    {9, "GET CALL 42 PARTNER_DISPNAME"},
    {10, "GET USER alice FULLNAME"},
    {11, "GET CALL 42 TYPE"},
    {12, "SEARCH CALLS"},
    {13, "GET CALL 42 TIMESTAMP"},
    {15, "GET USER alice DISPLAYNAME"},
    {16, "NAME Tolvane"},
    {17, "GET CALL 42 DURATION"},
    {18, "GET AUDIO_IN"},
    {19, "GET AUDIO_OUT"},
    {20, "HOOK ON"},
    {21, "GET CALL 42 STATUS"},
    {22, "GET CALL 42 SEEN"},
    {23, "GET PROFILE PSTN_BALANCE"},
    {24, "GET PRIVILEGE SKYPEOUT"},
    {25, "SEARCH MISSEDCALLS"},
    {27, "SET AUDIO_IN"},
    {28, "SET AUDIO_OUT"},
    {29, "GET CURRENTUSERHANDLE"},
    {30, "GET USERSTATUS"},
    {31, "SET RINGER USB Audio "},
    {32, "SET RINGER"},
    {33, "GET CONNSTATUS"},
};

TEST(BuildCommandTextTest, EveryKindBuildsItsExactText) {
  for (const CommandCase& c : kCommandTexts) {
    EXPECT_EQ(BuildCommandText(c.kind, "alice", 42, kKnownInputs), c.text) << "kind " << c.kind;
  }
}

TEST(BuildCommandTextTest, KindsWithoutCommandBuildNothing) {
  for (int kind : {14, 26, 0, 34, -1, 255, INT_MIN, INT_MAX}) {
    EXPECT_EQ(BuildCommandText(kind, "alice", 42, kKnownInputs), "") << "kind " << kind;
  }
}

TEST(BuildCommandTextTest, DeviceKindsAreSkippedWhileTheHandsetDeviceIsUnknown) {
  const CommandInputs noDevice{"Tolvane", ""};
  for (int kind : {kCmdSetAudioIn, kCmdSetAudioOut, kCmdSetRinger}) {
    EXPECT_EQ(BuildCommandText(kind, "alice", 42, noDevice), "") << "kind " << kind;
  }
  // The resets do not depend on the device.
  EXPECT_EQ(BuildCommandText(kCmdResetAudioIn, nullptr, 0, noDevice), "SET AUDIO_IN");
  EXPECT_EQ(BuildCommandText(kCmdResetRinger, nullptr, 0, noDevice), "SET RINGER");
}

TEST(BuildCommandTextTest, DeviceKindsEndWithOneBlank) {
  const CommandInputs device{"", "Speakers (USB Audio Device)"};
  EXPECT_EQ(BuildCommandText(kCmdSetAudioIn, nullptr, 0, device), "SET AUDIO_IN Speakers (USB Audio Device) ");
  EXPECT_EQ(BuildCommandText(kCmdSetAudioOut, nullptr, 0, device), "SET AUDIO_OUT Speakers (USB Audio Device) ");
  EXPECT_EQ(BuildCommandText(kCmdSetRinger, nullptr, 0, device), "SET RINGER Speakers (USB Audio Device) ");
}

TEST(BuildCommandTextTest, NameWithoutConfiguredNameIsNameAndOneBlank) {
  EXPECT_EQ(BuildCommandText(kCmdName, nullptr, 0, CommandInputs{"", "USB Audio"}), "NAME ");
  EXPECT_EQ(BuildCommandText(kCmdName, nullptr, 0, CommandInputs{"My Phone", ""}), "NAME My Phone");
}

TEST(BuildCommandTextTest, NullHandleIsTakenAsEmpty) {
  EXPECT_EQ(BuildCommandText(kCmdGetUserOnlineStatus, nullptr, 0, kKnownInputs), "GET USER  ONLINESTATUS");
  EXPECT_EQ(BuildCommandText(kCmdSearchCalls, nullptr, 0, kKnownInputs), "SEARCH CALLS");
}

TEST(BuildCommandTextTest, CallIdIsSignedDecimal) {
  EXPECT_EQ(BuildCommandText(kCmdGetCallStatus, nullptr, -5, kKnownInputs), "GET CALL -5 STATUS");
  EXPECT_EQ(BuildCommandText(kCmdGetCallSeen, nullptr, INT_MIN, kKnownInputs), "GET CALL -2147483648 SEEN");
  EXPECT_EQ(BuildCommandText(kCmdGetCallType, nullptr, 0, kKnownInputs), "GET CALL 0 TYPE");
}

// "GET USER " + handle + " ONLINESTATUS" is 22 characters around the handle.
constexpr std::size_t kMaxLine = 254;

TEST(BuildCommandTextTest, OverlongHandleIsCutAtTheCommandBuffer) {
  const std::string fits(kMaxLine - 22, 'h');
  EXPECT_EQ(BuildCommandText(kCmdGetUserOnlineStatus, fits.c_str(), 0, kKnownInputs),
            "GET USER " + fits + " ONLINESTATUS");

  const std::string oneOver(kMaxLine - 21, 'h');
  const std::string cut = BuildCommandText(kCmdGetUserOnlineStatus, oneOver.c_str(), 0, kKnownInputs);
  EXPECT_EQ(cut, "GET USER " + oneOver + " ONLINESTATU");
  EXPECT_EQ(cut.size(), kMaxLine);

  const std::string huge(5000, 'h');
  const std::string hugeCut = BuildCommandText(kCmdGetUserFullName, huge.c_str(), 0, kKnownInputs);
  EXPECT_EQ(hugeCut, "GET USER " + std::string(kMaxLine - 9, 'h'));
}

TEST(BuildCommandTextTest, OverlongNameAndDeviceAreCut) {
  const std::string longText(400, 'n');
  const CommandInputs inputs{longText, longText};
  EXPECT_EQ(BuildCommandText(kCmdName, nullptr, 0, inputs), "NAME " + std::string(kMaxLine - 5, 'n'));
  EXPECT_EQ(BuildCommandText(kCmdSetRinger, nullptr, 0, inputs),
            "SET RINGER " + std::string(kMaxLine - 11, 'n'));
}

struct FinishCase {
  int callId;
  const char* text;
};

TEST(BuildFinishCallTextTest, CallIdIsRightAlignedInFiveCharacters) {
  constexpr FinishCase kCases[] = {
      {7, "SET CALL     7 STATUS FINISHED"},
      {42, "SET CALL    42 STATUS FINISHED"},
      {9999, "SET CALL  9999 STATUS FINISHED"},
      {12345, "SET CALL 12345 STATUS FINISHED"},
      {123456, "SET CALL 123456 STATUS FINISHED"},
      {-1, "SET CALL    -1 STATUS FINISHED"},
  };
  for (const FinishCase& c : kCases) EXPECT_EQ(BuildFinishCallText(c.callId), c.text) << c.callId;
}

}  // namespace
}  // namespace tolvane
