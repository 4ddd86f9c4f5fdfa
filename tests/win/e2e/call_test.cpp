// Calls from start to end: Tolvane.exe between the simulated client, which
// keeps its own calls and history, and the simulated handset, which records
// every code and display character it is sent. What the handset shows and
// what Tolvane asks the client are checked in their order.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "call_fixture.h"

namespace tolvane::testing {
namespace {

TEST_F(CallTest, AnIncomingCallRingsShowsTheCallerIsAnsweredAndEndedByTheFarEnd) {
  StartReady();
  Control("incoming alice.example");
  ASSERT_TRUE(WaitForCode(kTextReady));
  EXPECT_EQ(ReceivedAfter("CALL 1000 STATUS RINGING"), (Lines{"GET CALL 1000 PARTNER_DISPNAME"}));
  // Names travel with one blank after every word.
  EXPECT_EQ(ShownOnRequest("ringing"), "Alice Example ");

  Control("answer");
  ASSERT_TRUE(WaitForCode(kCallInProgress));
  Control("far-hangup");
  ASSERT_TRUE(WaitForCode(kHandleReady));
  // The end refresh, in its order; its last answer commits the call, and
  // the handset is told that the call's time is ready.
  EXPECT_EQ(ReceivedAfter("CALL 1000 STATUS FINISHED"),
            (Lines{"GET CALL 1000 PARTNER_DISPNAME", "GET CALL 1000 PARTNER_HANDLE", "GET CALL 1000 SEEN",
                   "GET CALL 1000 TYPE", "GET CALL 1000 DURATION", "GET CALL 1000 TIMESTAMP"}));
  EXPECT_EQ(CodesSinceStart(), (Codes{kRing, kTextReady, kCallInProgress, kCallFinished, kHandleReady}));

  // The call is in Tolvane's history now: the same call ringing again is
  // taken as one already known, neither rung nor asked about. The mute that
  // follows shows when that line has been handled.
  Control("push CALL 1000 STATUS RINGING");
  Control("mute on");
  ASSERT_TRUE(WaitForCode(kMuteOn));
  EXPECT_EQ(CodesSinceStart(), (Codes{kRing, kTextReady, kCallInProgress, kCallFinished, kHandleReady, kMuteOn}));
  EXPECT_EQ(CountOf(transcript->Read(), "recv", "GET CALL 1000 PARTNER_DISPNAME"), 2u);

  // When the client has written its history, Tolvane reads it again.
  Control("history-changed");
  ASSERT_TRUE(WaitForReceived("GET PRIVILEGE SKYPEOUT", 2));
  // The balance query that follows the privilege's answer may or may not be
  // in by now.
  Lines reread = ReceivedAfter("CALLS 1000");
  reread.resize(std::min<std::size_t>(reread.size(), 4));
  EXPECT_EQ(reread, (Lines{"GET CALL 1000 TYPE", "GET CALL 1000 STATUS", "GET CALL 1000 SEEN",
                           "GET PRIVILEGE SKYPEOUT"}));
}

TEST_F(CallTest, AMissedCallEndsWithTheMissedCallMessageOnTheHandset) {
  StartReady();
  Control("incoming bob.example");
  ASSERT_TRUE(WaitForCode(kTextReady));
  Control("far-hangup");  // the caller gives up
  ASSERT_TRUE(WaitForCode(kTextReady, 2));
  EXPECT_EQ(ReceivedAfter("CALL 1000 STATUS MISSED"),
            (Lines{"GET CALL 1000 PARTNER_DISPNAME", "GET CALL 1000 PARTNER_HANDLE", "GET CALL 1000 TYPE",
                   "GET CALL 1000 SEEN", "GET CALL 1000 DURATION", "GET CALL 1000 TIMESTAMP"}));
  EXPECT_EQ(CodesSinceStart(), (Codes{kRing, kTextReady, kCallFinished, kTextReady}));
  EXPECT_EQ(ShownOnRequest("missed"), "You have 1 missed call !");
  // Once the message has been shown, Tolvane asks for the statuses again.
  ASSERT_TRUE(WaitForReceived("GET CONNSTATUS", 2));
}

TEST_F(CallTest, AnOutgoingCallIsPlacedRingsIsAnsweredAndHungUpHere) {
  StartReady();
  Control("call bob.example");
  ASSERT_TRUE(WaitForCode(kCallInProgress));
  EXPECT_EQ(ReceivedAfter("CALL 1000 STATUS RINGING"), (Lines{"GET CALL 1000 PARTNER_DISPNAME"}));
  EXPECT_EQ(CodesSinceStart(), (Codes{kOutgoingPlaced, kTextReady, kCallInProgress}));
  EXPECT_EQ(ShownOnRequest("talking"), "Bob Example ");

  Control("hangup");
  ASSERT_TRUE(WaitForCode(kHandleReady));
  EXPECT_EQ(CodesSinceStart(), (Codes{kOutgoingPlaced, kTextReady, kCallInProgress, kCallFinished, kHandleReady}));
  EXPECT_EQ(ReceivedAfter("CALL 1000 STATUS FINISHED").back(), "GET CALL 1000 TIMESTAMP");
}

TEST_F(CallTest, ASecondCallWhileOneIsInProgressTakesOverWhenTheFirstEnds) {
  StartReady();
  Control("incoming alice.example");
  ASSERT_TRUE(WaitForCode(kTextReady));
  Control("answer");
  ASSERT_TRUE(WaitForCode(kCallInProgress));

  // The second call is not rung over the first (no interrupting ring is
  // configured), but its caller is shown.
  Control("incoming bob.example");
  ASSERT_TRUE(WaitForCode(kTextReady, 2));
  EXPECT_EQ(ReceivedAfter("CALL 1001 STATUS RINGING"), (Lines{"GET CALL 1001 PARTNER_DISPNAME"}));
  EXPECT_EQ(ShownOnRequest("second"), "Bob Example ");

  // The first ends: the handset hears the end, then the waiting call rings.
  Control("far-hangup 1000");
  ASSERT_TRUE(WaitForCode(kHandleReady));
  EXPECT_EQ(CodesSinceStart(),
            (Codes{kRing, kTextReady, kCallInProgress, kTextReady, kCallFinished, kRing, kHandleReady}));
  // Now current, the second call is answered like any other.
  Control("answer 1001");
  ASSERT_TRUE(WaitForCode(kCallInProgress, 2));
}

TEST_F(CallTest, ARingWhileTheHistoryReloadsIsTurnedDownAndTheNextIsTaken) {
  StartReady();
  // The client writes its history just as a call comes in: the ring reaches
  // Tolvane before the new call list does.
  Control("at-once history-changed; incoming alice.example");
  ASSERT_TRUE(WaitForReceived("SET CALL  1000 STATUS FINISHED"));
  ASSERT_TRUE(transcript->WaitFor("send", "CALL 1000 STATUS REFUSED"));
  // The reloaded history is complete once its last call has answered; the
  // handset is told so.
  ASSERT_TRUE(WaitForCode(kReadyFollowUp));
  EXPECT_EQ(CodesSinceStart(), (Codes{kReady, kReadyFollowUp}));

  Control("incoming bob.example");
  ASSERT_TRUE(WaitForCode(kTextReady));
  EXPECT_EQ(CodesSinceStart(), (Codes{kReady, kReadyFollowUp, kRing, kTextReady}));
  EXPECT_EQ(CountOf(transcript->Read(), "recv", "GET CALL 1000 PARTNER_DISPNAME"), 0u);
}

TEST_F(CallTest, TheClientsConfirmationWindowIsSignalledOncePerAppearance) {
  StartReady();
  Control("dialog confirm show");
  ASSERT_TRUE(WaitForCode(kClientPrompt));
  // Still shown: not signalled again, while other codes go on.
  Control("mute on");
  ASSERT_TRUE(WaitForCode(kMuteOn));
  // Gone: the watch that follows the next line handled sees it gone.
  Control("dialog confirm hide");
  Control("mute off");
  ASSERT_TRUE(WaitForCode(kMuteOff));
  Control("dialog confirm show");
  ASSERT_TRUE(WaitForCode(kClientPrompt, 2));
  EXPECT_EQ(CodesSinceStart(), (Codes{kClientPrompt, kMuteOn, kMuteOff, kClientPrompt}));
}

TEST_F(CallTest, ACallThatFailsWithTheClientsErrorShownIsSignalledAndHungUp) {
  StartReady();
  Control("incoming alice.example");
  ASSERT_TRUE(WaitForCode(kTextReady));
  Control("answer");
  ASSERT_TRUE(WaitForCode(kCallInProgress));
  Control("dialog error show");
  Control("fail");
  ASSERT_TRUE(WaitForCode(kCallFinished));
  EXPECT_EQ(CodesSinceStart(), (Codes{kRing, kTextReady, kCallInProgress, kClientPrompt, kCallFinished}));
  // A call that fails while in progress is hung up in the client as well.
  ASSERT_TRUE(WaitForReceived("HOOK ON"));
  EXPECT_EQ(ReceivedAfter("CALL 1000 STATUS FAILED").at(0), "HOOK ON");
}

}  // namespace
}  // namespace tolvane::testing
