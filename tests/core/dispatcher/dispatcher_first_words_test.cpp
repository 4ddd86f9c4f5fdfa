// The replies that are not about one call or one contact: protocol, the
// user's and the connection's status, SkypeOut, the signed-in user, mute,
// the client's audio devices, and lines the program does not handle.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/dispatcher/dispatcher_rig.h"
#include "interfaces/handset_mode.h"

namespace tolvane::testing {
namespace {

using Effects = std::vector<std::string>;

// The version kept shows in how an empty DISPLAYNAME is taken afterwards:
// stored up to version 3, asked for as a full name above.
TEST(DispatcherFirstWords, ProtocolSendsTheNameFromVersionThreeAndIsKept) {
  const struct {
    std::vector<std::string> lines;
    Effects effects;  // of the last line
    const char* emptyDisplayName;
  } rows[] = {
      {{"PROTOCOL 2"}, {"tip"}, "ONLINESTATUS"},
      {{"PROTOCOL 5"}, {"cmd NAME Tolvane", "tip"}, "FULLNAME"},
      {{"PROTOCOL 3", "PROTOCOL"}, {"cmd NAME Tolvane", "tip"}, "ONLINESTATUS"},  // no number: the known one stays
  };
  for (const auto& row : rows) {
    DispatcherRig rig;
    for (const std::string& line : row.lines) {
      rig.Mark();
      rig.Feed({line});
    }
    EXPECT_EQ(rig.Effects(), row.effects) << row.lines.back();
    rig.Mark();
    rig.Feed({"USER alice DISPLAYNAME"});
    EXPECT_EQ(rig.Since({"cmd GET USER"}), Effects{std::string("cmd GET USER alice ") + row.emptyDisplayName});
  }
}

TEST(DispatcherFirstWords, ConnectionStatusIsKeptAndShownInTheTray) {
  DispatcherRig rig;
  rig.Feed({"CONNSTATUS ONLINE"});
  EXPECT_EQ(rig.session.connectionStatus.load(), 3);
  rig.Feed({"CONNSTATUS SOMEWHERE"});
  EXPECT_EQ(rig.session.connectionStatus.load(), 0);
  EXPECT_EQ(rig.Effects(), (Effects{"tip", "tip"}));
}

TEST(DispatcherFirstWords, UserStatusIsKeptAndShownOnTrayAndHandsetInOrder) {
  DispatcherRig rig;
  rig.Feed({"USERSTATUS DND"});
  EXPECT_EQ(rig.session.userStatus.load(), 5);
  EXPECT_EQ(rig.Effects(), (Effects{"sleep 20", "tip", "status code 5", "sleep 10"}));
}

TEST(DispatcherFirstWords, LoggedOutUserCountsAsOffline) {
  DispatcherRig rig;
  rig.Feed({"USERSTATUS LOGGEDOUT"});
  EXPECT_EQ(rig.session.userStatus.load(), 1);
}

TEST(DispatcherFirstWords, SkypeOutPrivilegeInAnyCaseAsksForTheBalance) {
  DispatcherRig rig;
  rig.Feed({"PRIVILEGE SkypeOut True"});
  EXPECT_EQ(rig.Since({"contacts ", "cmd "}),
            (Effects{"contacts SetSkypeOutBalance 0", "cmd GET PROFILE PSTN_BALANCE"}));
}

TEST(DispatcherFirstWords, SkypeOutNotGrantedClearsTheBalanceOnly) {
  DispatcherRig rig;
  rig.Feed({"PRIVILEGE SKYPEOUT FALSE", "PRIVILEGE SKYPEIN TRUE"});
  EXPECT_EQ(rig.Since({"contacts ", "cmd "}), Effects{"contacts SetSkypeOutBalance 0"});
}

TEST(DispatcherFirstWords, BalanceIsStored) {
  DispatcherRig rig;
  rig.Feed({"PROFILE PSTN_BALANCE 1234", "PROFILE PSTN_BALANCE_CURRENCY EUR", "PROFILE FULLNAME Me"});
  EXPECT_EQ(rig.Since({"contacts ", "cmd "}), Effects{"contacts SetSkypeOutBalance 1234"});
}

TEST(DispatcherFirstWords, NewUserEmptiesContactsAndHistory) {
  for (const std::string& handle : {std::string("someone.else"), std::string(600, 'u')}) {
    DispatcherRig rig;
    rig.AddHistory(5);
    rig.Feed({"CURRENTUSERHANDLE " + handle});
    EXPECT_TRUE(rig.HistoryIds().empty()) << handle.size();
    EXPECT_EQ(rig.Since({"contacts "}), (Effects{"contacts ClearContacts", "contacts ResetContactBrowse"}));
  }
}

TEST(DispatcherFirstWords, MuteShowsOnTheHandsetAfterTheDisplayStops) {
  DispatcherRig rig;
  rig.Feed({"MUTE ON", "MUTE OFF", "MUTE"});
  // A bare MUTE reads the word an earlier line left in the second buffer.
  EXPECT_EQ(rig.Effects(), (Effects{"wait idle", "code 47", "wait idle", "code 46", "wait idle", "code 46"}));
}

TEST(DispatcherFirstWords, AudioDevicesAreConvertedAndKept) {
  DispatcherRig rig;
  rig.Feed({"AUDIO_IN USB  Audio Device", "AUDIO_OUT Speakers"});
  EXPECT_EQ(rig.session.AudioIn(), "from-skype(USB Audio Device )");
  EXPECT_EQ(rig.session.AudioOut(), "from-skype(Speakers )");
}

TEST(DispatcherFirstWords, AudioDeviceWithoutRendererIsKeptAsSent) {
  DispatcherRig rig;
  rig.session.renderer.store(nullptr);
  rig.Feed({"AUDIO_IN Headset"});
  EXPECT_EQ(rig.session.AudioIn(), "Headset ");
}

TEST(DispatcherFirstWords, OverlongDeviceNameIsCutToItsBuffer) {
  DispatcherRig rig;
  rig.session.renderer.store(nullptr);
  rig.Feed({"AUDIO_OUT " + std::string(1000, 'd')});
  EXPECT_EQ(rig.session.AudioOut(), std::string(254, 'd'));
}

TEST(DispatcherFirstWords, UnhandledLinesAreDropped) {
  DispatcherRig rig;
  rig.MakeCurrent(10, 3);
  rig.Mark();
  rig.Feed({"ERROR 68 Access denied", "OK", "SKYPEVERSION 2.5", "NAME Tolvane", "HOOK OFF", "AUTOAWAY ON",
            "call 10 STATUS FINISHED", "CALLSX 1, 2", "", "   "});
  EXPECT_TRUE(rig.Since({""}).empty());
  EXPECT_EQ(rig.CurrentStatus(), 3);
}

TEST(DispatcherFirstWords, OverlongTokensAreCutNotSpilled) {
  DispatcherRig rig;
  rig.MakeCurrent(10, 2);
  rig.Mark();
  rig.Feed({"CALL 10 PARTNER_HANDLE " + std::string(5000, 'h'),
            std::string(300, 'X') + " 10 STATUS FINISHED",
            "USER " + std::string(2000, 'a') + " ONLINESTATUS ONLINE"});
  char handle[kTextBufferSize] = {};
  rig.phone.GetCurrentPartnerHandle(handle);
  EXPECT_EQ(std::string(handle), std::string(254, 'h'));
  EXPECT_EQ(rig.CurrentStatus(), 2);
  EXPECT_EQ(rig.Since({"contacts SetContactStatus"}),
            Effects{"contacts SetContactStatus " + std::string(1019, 'a') + " 0"});
}

}  // namespace
}  // namespace tolvane::testing
