// The simulated client's answers outside the calls: attach announcements,
// contacts, statuses, SkypeOut, mute, canned replies and refusals.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "client_state.h"

namespace simskype {
namespace {

using Lines = std::vector<std::string>;

Lines Answer(ClientState& client, const std::string& line) { return client.Answer(line).lines; }

TEST(ClientStateTest, AScenarioLoadsAndReportsTheLinesItDoesNotUnderstand) {
  std::istringstream scenario(
      "# contacts\nme carol\nfriends alice, bob\nuser alice Alice Example\nonline bob AWAY\n"
      "wobble 3\nprotocol x\nbalance 1234\nskypeout FALSE\ncallee bob sing\n");
  ClientState client;
  EXPECT_EQ(client.Load(scenario), (std::vector<int>{6, 7, 10}));
  EXPECT_EQ(Answer(client, "SEARCH FRIENDS"), (Lines{"USERS alice, bob"}));
  EXPECT_EQ(Answer(client, "GET USER alice DISPLAYNAME"), (Lines{"USER alice DISPLAYNAME Alice Example"}));
  EXPECT_EQ(Answer(client, "GET USER bob FULLNAME"), (Lines{"USER bob FULLNAME"}));
  EXPECT_EQ(Answer(client, "GET USER alice ONLINESTATUS"), (Lines{"USER alice ONLINESTATUS ONLINE"}));
  EXPECT_EQ(Answer(client, "GET USER bob ONLINESTATUS"), (Lines{"USER bob ONLINESTATUS AWAY"}));
  EXPECT_EQ(Answer(client, "GET USER zed ONLINESTATUS"), (Lines{"USER zed ONLINESTATUS OFFLINE"}));
  EXPECT_EQ(Answer(client, "GET PRIVILEGE SKYPEOUT"), (Lines{"PRIVILEGE SKYPEOUT FALSE"}));
  EXPECT_EQ(Answer(client, "GET PROFILE PSTN_BALANCE"), (Lines{"PROFILE PSTN_BALANCE 1234"}));
  EXPECT_EQ(client.AfterAttach(), (Lines{"CONNSTATUS ONLINE", "CURRENTUSERHANDLE carol", "USERSTATUS ONLINE"}));
  // As the client's window lists them.
  std::vector<std::string> shown;
  for (const ClientState::Contact& c : client.Contacts()) shown.push_back(c.handle + "|" + c.name + "|" + c.status);
  EXPECT_EQ(shown, (Lines{"alice|Alice Example|ONLINE", "bob|bob|AWAY"}));
}

TEST(ClientStateTest, ProtocolIsTheLowerOfBothAndUnknownCommandsAreErrors) {
  ClientState client;
  ASSERT_TRUE(client.Apply("protocol 2"));
  EXPECT_EQ(Answer(client, "PROTOCOL 5"), (Lines{"PROTOCOL 2"}));
  EXPECT_EQ(Answer(client, "PROTOCOL 1"), (Lines{"PROTOCOL 1"}));
  EXPECT_EQ(Answer(client, "FLY AWAY"), (Lines{"ERROR 2 Unknown command"}));
  EXPECT_EQ(Answer(client, "SET MUTE MAYBE"), (Lines{"ERROR 2 Unknown command"}));
}

TEST(ClientStateTest, CannedRepliesComeFirstAndRefusalsArePerPrefixOrOnce) {
  ClientState client;
  ASSERT_TRUE(client.Apply("reply GET CALL 5 STATUS => CALL 5 STATUS BUSY"));
  ASSERT_TRUE(client.Apply("reply GET CALL 5 STATUS => CALL 5 STATUS FINISHED"));
  EXPECT_EQ(Answer(client, "GET CALL 5 STATUS"), (Lines{"CALL 5 STATUS BUSY", "CALL 5 STATUS FINISHED"}));
  ASSERT_TRUE(client.Apply("refuse SET AUDIO"));
  EXPECT_TRUE(client.TakeRefusal("SET AUDIO_IN x"));
  EXPECT_FALSE(client.TakeRefusal("SET RINGER x"));
  client.RefuseNext();
  EXPECT_TRUE(client.TakeRefusal("PING"));
  EXPECT_FALSE(client.TakeRefusal("PING"));
  client.AllowPrefix("SET AUDIO");
  EXPECT_FALSE(client.TakeRefusal("SET AUDIO_IN x"));
}

TEST(ClientStateTest, EventsAtTheClientAreAnnouncedAndRemembered) {
  ClientState client;
  ASSERT_TRUE(client.Apply("friends alice"));
  const auto happen = [&](const std::string& event) {
    Effects effects;
    EXPECT_TRUE(client.Event(event, &effects)) << event;
    return effects.lines;
  };
  EXPECT_EQ(happen("mute on"), (Lines{"MUTE ON"}));
  EXPECT_EQ(Answer(client, "GET MUTE"), (Lines{"MUTE ON"}));
  EXPECT_EQ(Answer(client, "SET MUTE OFF"), (Lines{"MUTE OFF"}));
  EXPECT_EQ(happen("buddy bob 3"), (Lines{"USER bob BUDDYSTATUS 3"}));
  EXPECT_EQ(happen("buddy alice 1"), (Lines{"USER alice BUDDYSTATUS 1"}));
  EXPECT_EQ(Answer(client, "SEARCH FRIENDS"), (Lines{"USERS bob"}));
  EXPECT_EQ(happen("online bob DND"), (Lines{"USER bob ONLINESTATUS DND"}));
  EXPECT_EQ(happen("focus bob"), (Lines{"CONTACTS FOCUSED bob"}));
  EXPECT_EQ(happen("user-status AWAY"), (Lines{"USERSTATUS AWAY"}));
  EXPECT_EQ(Answer(client, "GET USERSTATUS"), (Lines{"USERSTATUS AWAY"}));
  EXPECT_EQ(happen("conn-status CONNECTING"), (Lines{"CONNSTATUS CONNECTING"}));
  EXPECT_EQ(client.AfterAttach().front(), "CONNSTATUS CONNECTING");

  Effects effects;
  EXPECT_FALSE(client.Event("buddy bob 9", &effects));
  EXPECT_FALSE(client.Event("mute sideways", &effects));
  EXPECT_FALSE(client.Event("dance", &effects));
  EXPECT_TRUE(effects.lines.empty());
}

}  // namespace
}  // namespace simskype
