// The session actions: discover, set up the attached session, detach; and
// that no action outlives the session.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "core/fakes/skype_link_rig.h"

namespace tolvane {
namespace {

using testing::EventLog;
using testing::Pauses;
using testing::SkypeLinkRig;
using Lines = std::vector<std::string>;

// ---- Discover -------------------------------------------------------------

TEST(SkypeLinkDiscoverTest, ClosesTheDialogsBroadcastsAndLetsTheDialogWorkersRestart) {
  SkypeLinkRig rig;
  EXPECT_EQ(rig.link->RunSessionAction(kActionDiscover), kOk);
  ASSERT_TRUE(rig.log.WaitFor("dialogs forget"));
  rig.Stop();
  EXPECT_EQ(rig.log.All(), (Lines{"dialogs close", "discover", "dialogs forget"}));
}

TEST(SkypeLinkDiscoverTest, MovesTheWindowsDevicesOffTheHandsetFirstWhenConfigured) {
  SkypeLinkRig rig;
  rig.handset.Settings().SupportAutoSwitchSystemAudioDevice.store(1);
  rig.link->RunSessionAction(kActionDiscover);
  ASSERT_TRUE(rig.log.WaitFor("dialogs forget"));
  rig.Stop();
  EXPECT_EQ(rig.log.All(), (Lines{"dialogs close", "sound mapper", "discover", "dialogs forget"}));
}

TEST(SkypeLinkDiscoverTest, TwoRequestsInQuickSuccessionBroadcastTwice) {
  SkypeLinkRig rig;
  rig.link->RunSessionAction(kActionDiscover);
  rig.link->RunSessionAction(kActionDiscover);
  ASSERT_TRUE(rig.log.WaitFor("discover", 2));
  ASSERT_TRUE(rig.log.WaitFor("dialogs forget", 2));
  rig.Stop();
  EXPECT_EQ(rig.log.Count("discover"), 2u);
}

TEST(SkypeLinkDiscoverTest, UnknownActionCodesDoNothing) {
  SkypeLinkRig rig;
  for (int code : {0, 3, 5, 7, -1}) EXPECT_EQ(rig.link->RunSessionAction(code), kOk);
  rig.Stop();  // joins whatever was started
  EXPECT_TRUE(rig.log.All().empty());
}

// ---- Set up the attached session ------------------------------------------

class SkypeLinkSetUpTest : public ::testing::Test {
 protected:
  SkypeLinkSetUpTest() {
    rig.AttachStores();
    rig.link->SetRenderer(&rig.renderer);
    rig.link->SetHandsetAudioDeviceName("USB Audio");
  }

  // Runs action 2 to its end and stops the session.
  void RunSetUp() {
    rig.link->RunSessionAction(kActionSetUpSession);
    ASSERT_TRUE(rig.log.WaitFor("code 6"));
    rig.Stop();
  }

  SkypeLinkRig rig;
};

TEST_F(SkypeLinkSetUpTest, FullSequenceWithAutomaticAudioSwitching) {
  rig.handset.Settings().SupportAutoSwitchAudioDevice.store(1);
  // Each pause waits for the lines queued before it, so the log is in one order.
  rig.settleBefore = {{15, "send PROTOCOL 5"}, {200, "send SEARCH CALLS"}};
  RunSetUp();
  EXPECT_EQ(rig.log.All(), (Lines{
                               "send SET AUDIO_IN to-skype(USB Audio) ",
                               "send SET AUDIO_OUT to-skype(USB Audio) ",
                               "send SET RINGER to-skype(USB Audio) ",
                               "send GET AUDIO_IN",
                               "send GET AUDIO_OUT",
                               "send PROTOCOL 5",
                               "sleep 15",
                               "phone GetCurrentCallId",
                               "phone GetCurrentCallStatus",
                               "phone ResetCurrentCall",
                               "phone ResetSecondCall",
                               "direct FOCUS",
                               "send SEARCH FRIENDS",
                               "send SEARCH CALLS",
                               "sleep 200",
                               "accept any",
                               "code 81",
                               "sleep 25",
                               "code 6",
                               "keys 1",
                           }));
}

TEST_F(SkypeLinkSetUpTest, WithoutAutomaticAudioSwitchingTheDevicesAreLeftAlone) {
  rig.settleBefore = {{15, "send PROTOCOL 5"}, {200, "send SEARCH CALLS"}};
  RunSetUp();
  EXPECT_EQ(rig.log.Matching("send"),
            (Lines{"send PROTOCOL 5", "send SEARCH FRIENDS", "send SEARCH CALLS"}));
  EXPECT_EQ(rig.log.All().front(), "send PROTOCOL 5");
}

struct CallInProgressCase {
  int status;
  int closedAs;
};

TEST_F(SkypeLinkSetUpTest, ACallRingingOrInProgressIsClosedCommittedAndAskedAbout) {
  for (CallInProgressCase c : {CallInProgressCase{2, 7}, CallInProgressCase{3, 6}}) {
    SkypeLinkRig local;
    local.AttachStores();
    local.phone.currentCallId.store(42);
    local.phone.currentCallStatus.store(c.status);
    local.link->RunSessionAction(kActionSetUpSession);
    ASSERT_TRUE(local.log.WaitFor("code 6"));
    ASSERT_TRUE(local.log.WaitFor("send SEARCH CALLS"));
    local.Stop();

    EXPECT_EQ(local.log.Matching("phone"),
              (Lines{"phone GetCurrentCallId", "phone GetCurrentCallStatus",
                     "phone SetCurrentCallStatus " + std::to_string(c.closedAs),
                     "phone CommitCurrentCall", "phone ResetCurrentCall", "phone ResetSecondCall",
                     "phone ResetCurrentCall", "phone ResetSecondCall"}))
        << "status " << c.status;
    EXPECT_EQ(local.log.Matching("send"),
              (Lines{"send PROTOCOL 5", "send GET CALL 42 PARTNER_DISPNAME", "send GET CALL 42 PARTNER_HANDLE",
                     "send GET CALL 42 SEEN", "send GET CALL 42 DURATION", "send GET CALL 42 TIMESTAMP",
                     "send SEARCH FRIENDS", "send SEARCH CALLS"}))
        << "status " << c.status;
  }
}

TEST_F(SkypeLinkSetUpTest, ACallInAnyOtherStateIsOnlyReset) {
  for (int status : {-1, 0, 1, 4, 5, 15, 23}) {
    SkypeLinkRig local;
    local.AttachStores();
    local.phone.currentCallId.store(42);
    local.phone.currentCallStatus.store(status);
    local.link->RunSessionAction(kActionSetUpSession);
    ASSERT_TRUE(local.log.WaitFor("code 6"));
    local.Stop();
    EXPECT_EQ(local.log.Matching("phone"),
              (Lines{"phone GetCurrentCallId", "phone GetCurrentCallStatus", "phone ResetCurrentCall",
                     "phone ResetSecondCall"}))
        << "status " << status;
    EXPECT_TRUE(local.log.Matching("send GET CALL").empty()) << "status " << status;
  }
}

TEST_F(SkypeLinkSetUpTest, ARingingStatusWithoutACallIdIsNotACall) {
  rig.phone.currentCallId.store(0);
  rig.phone.currentCallStatus.store(2);
  RunSetUp();
  EXPECT_TRUE(rig.log.Matching("phone SetCurrentCallStatus").empty());
  EXPECT_TRUE(rig.log.Matching("phone CommitCurrentCall").empty());
}

TEST_F(SkypeLinkSetUpTest, ARefusedFocusDisablesTheKeysUntilTheSetUpEnds) {
  rig.direct.RefuseLine("FOCUS");
  RunSetUp();
  const Lines steps = rig.log.MatchingAny({"direct", "keys", "code"});
  EXPECT_EQ(steps, (Lines{"direct-refused FOCUS", "keys 0", "code 81", "code 6", "keys 1"}));
  EXPECT_EQ(rig.log.Count("discover"), 1u);  // the handset asks for a rediscover
}

TEST_F(SkypeLinkSetUpTest, AnAcceptedFocusLeavesTheKeysEnabledThroughout) {
  RunSetUp();
  EXPECT_EQ(rig.log.MatchingAny({"direct", "keys"}), (Lines{"direct FOCUS", "keys 1"}));
  EXPECT_EQ(rig.log.Count("discover"), 0u);
}

TEST(SkypeLinkSetUpBeforeStoresTest, SkipsTheCallStepsAndStillSetsUpTheSession) {
  SkypeLinkRig rig;
  rig.link->RunSessionAction(kActionSetUpSession);
  ASSERT_TRUE(rig.log.WaitFor("code 6"));
  rig.Stop();
  EXPECT_TRUE(rig.log.Matching("phone").empty());
  EXPECT_EQ(rig.log.Count("direct FOCUS"), 1u);
}

TEST(SkypeLinkHandsetReadyTest, SignalsEightyOneThenSixAfterTwentyFiveMilliseconds) {
  SkypeLinkRig rig;
  EXPECT_EQ(rig.link->SignalHandsetReady(), 1);
  EXPECT_EQ(rig.log.All(), (Lines{"accept any", "code 81", "sleep 25", "code 6"}));
}

// ---- Detach ---------------------------------------------------------------

TEST(SkypeLinkDetachTest, ResetsTheClientsDevicesThenDetachesAfterTwoHundredMilliseconds) {
  SkypeLinkRig rig;
  rig.settleBefore = {{200, "send SET RINGER"}};
  EXPECT_EQ(rig.link->RunSessionAction(kActionDetach), kOk);
  ASSERT_TRUE(rig.log.WaitFor("dialogs forget"));
  rig.Stop();
  EXPECT_EQ(rig.log.All(), (Lines{"dialogs close", "send SET AUDIO_IN", "send SET AUDIO_OUT",
                                  "send SET RINGER", "sleep 200", "detach", "dialogs forget"}));
  EXPECT_FALSE(rig.transport.IsAttached());
}

TEST(SkypeLinkDetachTest, ReallyWaitsBeforeTheDetachMessage) {
  SkypeLinkRig rig(Pauses::kRealTime);
  const auto start = std::chrono::steady_clock::now();
  rig.link->RunSessionAction(kActionDetach);
  ASSERT_TRUE(rig.log.WaitFor("detach"));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
  ASSERT_TRUE(rig.log.WaitFor("send SET RINGER"));
  rig.Stop();
  EXPECT_EQ(rig.log.Matching("send"), (Lines{"send SET AUDIO_IN", "send SET AUDIO_OUT", "send SET RINGER"}));
}

// ---- Lifetime -------------------------------------------------------------

TEST(SkypeLinkActionLifetimeTest, DestructionEndsAnActionInItsPauseAndAbandonsTheRest) {
  SkypeLinkRig rig(Pauses::kStretched);  // the detach pause lasts 20 s
  rig.link->RunSessionAction(kActionDetach);
  ASSERT_TRUE(rig.log.WaitFor("sleep 200"));
  const auto start = std::chrono::steady_clock::now();
  rig.link.reset();  // the action thread still uses the link and the fakes
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(rig.log.Count("detach"), 0u);
  EXPECT_EQ(rig.log.Count("dialogs forget"), 0u);
}

TEST(SkypeLinkActionLifetimeTest, DestructionDuringASetUpPauseLeavesNoThreadBehind) {
  SkypeLinkRig rig(Pauses::kStretched);
  rig.AttachStores();
  rig.link->RunSessionAction(kActionSetUpSession);
  rig.link->RunSessionAction(kActionDetach);
  ASSERT_TRUE(rig.log.WaitFor("sleep 15"));
  ASSERT_TRUE(rig.log.WaitFor("sleep 200"));
  rig.link.reset();
  const std::size_t logged = rig.log.All().size();
  EXPECT_EQ(rig.log.Count("code 81"), 0u);
  EXPECT_EQ(rig.log.All().size(), logged);  // nothing runs on after destruction
}

TEST(SkypeLinkActionLifetimeTest, EveryActionThreadIsJoinedByDestruction) {
  SkypeLinkRig rig;
  for (int i = 0; i < 40; ++i) rig.link->RunSessionAction(kActionDiscover);
  rig.link.reset();
  EXPECT_EQ(rig.log.Count("discover"), 40u);
  EXPECT_EQ(rig.log.Count("dialogs forget"), 40u);
}

TEST(SkypeLinkActionLifetimeTest, ASetUpDuringShutdownStopsAtItsFirstPause) {
  SkypeLinkRig rig;
  rig.AttachStores();
  rig.delay.Cancel();  // as Shutdown() does first
  rig.link->RunSessionAction(kActionSetUpSession);
  rig.Stop();
  EXPECT_EQ(rig.log.MatchingAny({"sleep", "phone", "direct", "code"}), (Lines{"sleep 15"}));
}

}  // namespace
}  // namespace tolvane
