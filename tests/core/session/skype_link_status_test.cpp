// The session's status values and texts: the tray tooltip and icon, the own
// status on the handset and the getters. The display hand-over is tested
// with the handset's indicator (tests/core/handset/display_idle_test.cpp).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/fakes/skype_link_rig.h"

namespace tolvane {
namespace {

using testing::SkypeLinkRig;
using Lines = std::vector<std::string>;

struct TipCase {
  int userStatus;
  int connectionStatus;
  int handsetConnected;
  const char* tip;
  const char* icon;
};

TEST(SkypeLinkStatusTipTest, ChoosesTheTextAndIconBySkypeAndHandset) {
  const TipCase cases[] = {
      {0, 3, 1, "tip 8", "icon active.ico"},     // up, present
      {5, 3, 1, "tip 8", "icon active.ico"},     // DND is still on-line
      {0, 3, 0, "tip 6", "icon nohw.ico"},       // up, absent
      {1, 3, 1, "tip 7", "icon noskype.ico"},    // OFFLINE
      {-1, 3, 1, "tip 7", "icon noskype.ico"},   // status not known yet
      {0, 1, 1, "tip 7", "icon noskype.ico"},    // still connecting
      {0, -1, 1, "tip 7", "icon noskype.ico"},   // connection not known yet
      {1, 3, 0, "tip 9", "icon noany.ico"},      // down, absent
      {3, 4, 0, "tip 9", "icon noany.ico"},      // logged out
      {0, 3, 2, "tip 6", "icon nohw.ico"},       // only 1 means present
  };
  for (const TipCase& c : cases) {
    SkypeLinkRig rig;
    rig.link->SetIconActive("active.ico");
    rig.link->SetIconNoHandset("nohw.ico");
    rig.link->SetIconNoSkype("noskype.ico");
    rig.link->SetIconNoAny("noany.ico");
    rig.link->SetUserStatus(c.userStatus);
    rig.link->SetConnectionStatus(c.connectionStatus);
    rig.handset.SetConnected(c.handsetConnected == 1);
    EXPECT_EQ(rig.link->UpdateStatusTip(), kOk);
    EXPECT_EQ(rig.log.All(), (Lines{c.tip, c.icon}))
        << c.userStatus << " " << c.connectionStatus << " " << c.handsetConnected;
  }
}

TEST(SkypeLinkStatusTipTest, AnUnsetIconIsPassedAsAnEmptyText) {
  SkypeLinkRig rig;
  EXPECT_EQ(rig.link->UpdateStatusTip(), kOk);  // -1 / -1 at start, no handset
  EXPECT_EQ(rig.log.All(), (Lines{"tip 9", "icon "}));
}

TEST(SkypeLinkUserStatusCodeTest, SendsTheHandsetIconOfEachStatus) {
  const std::pair<int, int> cases[] = {{0, 0x73}, {1, 0x74}, {2, 0x75}, {3, 0x76}, {4, 0x77},
                                       {5, 0x72}, {6, 0x78}, {7, 0x79}, {-1, 0x74}, {8, 0x74},
                                       {99, 0x74}};
  for (auto [status, code] : cases) {
    SkypeLinkRig rig;
    EXPECT_EQ(rig.link->SendUserStatusCode(status), kOk);
    EXPECT_EQ(rig.log.All(), (Lines{"code " + std::to_string(code)})) << "status " << status;
  }
}

TEST(SkypeLinkTextsTest, WindowTitleFallsBackToSkypeForWindow) {
  SkypeLinkRig rig;
  char out[kPathBufferSize];
  EXPECT_EQ(rig.link->GetWindowTitle(out), kOk);
  EXPECT_STREQ(out, "SkypeForWindow");
  rig.link->SetWindowTitle("Tolvane Phone");
  EXPECT_EQ(rig.link->GetWindowTitle(out), kOk);
  EXPECT_STREQ(out, "Tolvane Phone");
}

TEST(SkypeLinkTextsTest, EmptyCustomerInfoFailsAndLeavesTheBufferAlone) {
  SkypeLinkRig rig;
  char out[kPathBufferSize];
  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(rig.link->GetCustomerInfo(out), kFail);
  EXPECT_EQ(out[0], 'x');
  EXPECT_EQ(out[kPathBufferSize - 1], 'x');
}

TEST(SkypeLinkTextsTest, CustomerInfoTurnsBackslashNIntoLineBreaksForGood) {
  SkypeLinkRig rig;
  rig.link->SetCustomerInfo("Tolvane\\nSupport: 555-0100\\n\\nn\\");
  char out[kPathBufferSize];
  EXPECT_EQ(rig.link->GetCustomerInfo(out), kOk);
  EXPECT_STREQ(out, "Tolvane\r\nSupport: 555-0100\r\n\r\nn\\");
  // The stored text keeps the breaks: a second call finds nothing to replace.
  EXPECT_EQ(rig.link->GetCustomerInfo(out), kOk);
  EXPECT_STREQ(out, "Tolvane\r\nSupport: 555-0100\r\n\r\nn\\");
}

TEST(SkypeLinkTextsTest, IconGettersCopyTheirPathsAndAnUnsetOneAsEmpty) {
  SkypeLinkRig rig;
  char out[kPathBufferSize];
  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(rig.link->GetIconActive(out), kOk);
  EXPECT_STREQ(out, "");
  rig.link->SetIconNoHandset("C:\\Tolvane\\\\nohw.ico");
  rig.link->SetIconNoSkype("C:\\Tolvane\\\\noskype.ico");
  rig.link->SetIconActive("C:\\Tolvane\\\\active.ico");
  EXPECT_EQ(rig.link->GetIconNoHandset(out), kOk);
  EXPECT_STREQ(out, "C:\\Tolvane\\\\nohw.ico");
  EXPECT_EQ(rig.link->GetIconNoSkype(out), kOk);
  EXPECT_STREQ(out, "C:\\Tolvane\\\\noskype.ico");
  EXPECT_EQ(rig.link->GetIconActive(out), kOk);
  EXPECT_STREQ(out, "C:\\Tolvane\\\\active.ico");
}

TEST(SkypeLinkTextsTest, GettersCutAtTheCallersBufferAndRefuseNoBuffer) {
  SkypeLinkRig rig;
  char out[kPathBufferSize + 1];
  out[kPathBufferSize] = '#';
  rig.link->SetIconActive(std::string(400, 'a'));
  EXPECT_EQ(rig.link->GetIconActive(out), kOk);
  EXPECT_EQ(std::strlen(out), static_cast<std::size_t>(kPathBufferSize - 1));
  EXPECT_EQ(out[kPathBufferSize], '#');
  EXPECT_EQ(rig.link->GetIconActive(nullptr), kFail);
  EXPECT_EQ(rig.link->GetUserStatus(nullptr), kFail);
}

// Every attach asks the client for its devices again: the latest reply is
// what the client uses.
TEST(SkypeLinkTextsTest, SkypeAudioDevicesAreTheLatestTheClientReported) {
  SkypeLinkRig rig;
  char in[kPathBufferSize];
  char out[kPathBufferSize];
  EXPECT_EQ(rig.link->GetSkypeAudioDevices(in, out), kOk);
  EXPECT_STREQ(in, "");
  EXPECT_STREQ(out, "");
  for (int attach = 0; attach < 3; ++attach) {
    rig.link->SetSkypeAudioIn("USB Audio ");
    rig.link->SetSkypeAudioOut("Speakers ");
    EXPECT_EQ(rig.link->GetSkypeAudioDevices(in, out), kOk);
    EXPECT_STREQ(in, "USB Audio ");
    EXPECT_STREQ(out, "Speakers ");
  }
  rig.link->SetSkypeAudioOut("Headset ");
  EXPECT_EQ(rig.link->GetSkypeAudioDevices(in, out), kOk);
  EXPECT_STREQ(out, "Headset ");
}

TEST(SkypeLinkValuesTest, StatusValuesStartUnknownAndFollowTheirWriters) {
  SkypeLinkRig rig;
  int status = 0;
  EXPECT_EQ(rig.link->GetUserStatus(&status), kOk);
  EXPECT_EQ(status, -1);
  EXPECT_FALSE(rig.link->HandsetAttached());
  EXPECT_FALSE(rig.link->HistoryLoaded());
  rig.link->SetUserStatus(3);
  EXPECT_EQ(rig.link->GetUserStatus(&status), kOk);
  EXPECT_EQ(status, 3);
  EXPECT_EQ(rig.link->SetHandsetAttached(1), kOk);
  EXPECT_TRUE(rig.link->HandsetAttached());
  EXPECT_EQ(rig.link->SetRenderer(&rig.renderer), kOk);
  EXPECT_EQ(rig.link->Renderer(), &rig.renderer);
}

}  // namespace
}  // namespace tolvane
