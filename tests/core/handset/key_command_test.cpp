// Key commands go straight to the client; a refused line restarts the session
// with a rediscover and is not retried.
#include "handset_fixture.h"

namespace tolvane::testing {
namespace {

TEST_F(HandsetTest, FocusIsSentStraightToTheClient) {
  EXPECT_EQ(handset->ExecuteKeyCommand(83), 1);
  EXPECT_EQ(log.All(), (EventLog::Events{"send FOCUS"}));
}

TEST_F(HandsetTest, RefusedFocusRediscoversTheClientAndReportsFailure) {
  transport.RefuseLine("FOCUS");
  EXPECT_EQ(handset->ExecuteKeyCommand(83), 0);
  EXPECT_EQ(log.All(), (EventLog::Events{"send-refused FOCUS", "link RunSessionAction 1"}));
}

TEST_F(HandsetTest, NoClientAttachedCountsAsRefused) {
  transport.SetAttached(false);
  EXPECT_EQ(handset->ExecuteKeyCommand(83), 0);
  EXPECT_EQ(log.Count("link RunSessionAction 1"), 1u);
}

TEST_F(HandsetTest, KeyCommandsNeverGoThroughTheSessionQueue) {
  handset->ExecuteKeyCommand(83);
  EXPECT_TRUE(Calls("link QueueCommand").empty());
}

struct FixedCommand {
  int code;
  const char* text;
};

TEST_F(HandsetTest, KeysWithAFixedCommandSendExactlyItsText) {
  const FixedCommand cases[] = {
      {46, "SET MUTE OFF"},
      {47, "SET MUTE ON"},
      {83, "FOCUS"},
      {114, "SET USERSTATUS DND"},
      {115, "SET USERSTATUS ONLINE"},
      {116, "SET USERSTATUS OFFLINE"},
      {117, "SET USERSTATUS SKYPEME"},
      {118, "SET USERSTATUS AWAY"},
      {119, "SET USERSTATUS NA"},
      {120, "SET USERSTATUS INVISIBLE"},
      {121, "SET USERSTATUS SKYPEOUT"},
      {190, "BTN_RELEASED +"},
  };
  for (const FixedCommand& c : cases) {
    const std::size_t before = log.All().size();
    EXPECT_EQ(handset->ExecuteKeyCommand(c.code), 1) << c.code;
    const EventLog::Events all = log.All();
    ASSERT_EQ(all.size(), before + 1) << c.code;
    EXPECT_EQ(all.back(), std::string("send ") + c.text) << c.code;
  }
}

TEST_F(HandsetTest, KeysWithoutACommandSendNothing) {
  for (int code : {0, 6, 66, 67, 113, 122, 255}) EXPECT_EQ(handset->ExecuteKeyCommand(code), 1) << code;
  EXPECT_TRUE(log.All().empty());
}

}  // namespace
}  // namespace tolvane::testing
