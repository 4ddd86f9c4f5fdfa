// The simulated client's calls, as the program sees them on the wire: the
// status lines each command or event brings, the client's later events,
// and its answers about calls.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "client_state.h"

namespace simskype {
namespace {

using Lines = std::vector<std::string>;

class CallModelTest : public ::testing::Test {
 protected:
  CallModelTest() { Reset(); }

  // A client as the scenario leaves it, before any call.
  void Reset() {
    owner = std::make_unique<ClientState>([this] { return now; });
    for (const char* directive : {"friends alice, bob", "user alice Alice Example", "ring-delay 150",
                                  "history-delay 800"}) {
      EXPECT_TRUE(client().Apply(directive)) << directive;
    }
  }
  ClientState& client() { return *owner; }

  Lines Send(const std::string& command) {
    last = client().Answer(command);
    return last.lines;
  }
  Lines Happen(const std::string& event) {
    last = {};
    EXPECT_TRUE(client().Event(event, &last)) << event;
    return last.lines;
  }
  // Runs the events the last step left for later, as the simulator's timer does.
  Lines RunLater() {
    Lines lines;
    const std::vector<Effects::Later> due = last.later;
    for (const Effects::Later& event : due) {
      Effects effects;
      client().Event(event.event, &effects);
      lines.insert(lines.end(), effects.lines.begin(), effects.lines.end());
    }
    return lines;
  }
  std::string Get(int id, const std::string& property) {
    return Send("GET CALL " + std::to_string(id) + " " + property).at(0);
  }

  long long now = 1700000000;
  std::unique_ptr<ClientState> owner;
  Effects last;
};

TEST_F(CallModelTest, AnIncomingCallAnsweredFromTheHandsetAndEndedByTheFarEnd) {
  EXPECT_EQ(Happen("incoming alice"), (Lines{"CALL 1000 STATUS RINGING"}));
  EXPECT_EQ(Get(1000, "TYPE"), "CALL 1000 TYPE INCOMING_P2P");
  EXPECT_EQ(Get(1000, "PARTNER_HANDLE"), "CALL 1000 PARTNER_HANDLE alice");
  EXPECT_EQ(Get(1000, "PARTNER_DISPNAME"), "CALL 1000 PARTNER_DISPNAME Alice Example");

  // The program pads the id to five places.
  EXPECT_EQ(Send("SET CALL  1000 STATUS INPROGRESS"), (Lines{"CALL 1000 STATUS INPROGRESS"}));
  now += 42;
  EXPECT_EQ(Get(1000, "DURATION"), "CALL 1000 DURATION 42");
  EXPECT_EQ(Happen("far-hangup"), (Lines{"CALL 1000 STATUS FINISHED"}));
  ASSERT_EQ(last.later.size(), 1u);
  EXPECT_EQ(last.later[0].delayMs, 800);
  EXPECT_EQ(RunLater(), (Lines{"CALLHISTORYCHANGED"}));

  now += 100;  // the duration stays that of the call
  EXPECT_EQ(Get(1000, "DURATION"), "CALL 1000 DURATION 42");
  EXPECT_EQ(Get(1000, "TIMESTAMP"), "CALL 1000 TIMESTAMP 1700000000");
  EXPECT_EQ(Get(1000, "SEEN"), "CALL 1000 SEEN TRUE");
  EXPECT_EQ(Send("SEARCH CALLS"), (Lines{"CALLS 1000"}));
  EXPECT_EQ(Send("SEARCH ACTIVECALLS"), (Lines{"CALLS "}));
}

TEST_F(CallModelTest, EitherSideEndsACallInTheWordsOfItsState) {
  struct Case {
    const char* setUp;  // events, ';' separated
    const char* end;    // a command from the program, or an event
    bool isEvent;
    const char* last;   // the status line it brings
  };
  const Case cases[] = {
      {"incoming alice", "SET CALL 1000 STATUS FINISHED", false, "CALL 1000 STATUS REFUSED"},
      {"incoming alice", "HOOK ON", false, "CALL 1000 STATUS REFUSED"},
      {"incoming alice", "far-hangup", true, "CALL 1000 STATUS MISSED"},
      {"incoming alice;answer", "HOOK ON", false, "CALL 1000 STATUS FINISHED"},
      {"incoming alice;answer", "hangup", true, "CALL 1000 STATUS FINISHED"},
      {"incoming alice;answer;hold", "SET CALL 1000 STATUS FINISHED", false, "CALL 1000 STATUS FINISHED"},
      {"incoming alice;answer;far-hold", "far-hangup", true, "CALL 1000 STATUS FINISHED"},
      {"incoming alice;answer", "fail", true, "CALL 1000 STATUS FAILED"},
  };
  for (const Case& c : cases) {
    Reset();
    std::string events = c.setUp;
    for (std::size_t start = 0; start < events.size();) {
      const std::size_t end = std::min(events.find(';', start), events.size());
      Happen(events.substr(start, end - start));
      start = end + 1;
    }
    const Lines lines = c.isEvent ? Happen(c.end) : Send(c.end);
    ASSERT_FALSE(lines.empty()) << c.setUp << " / " << c.end;
    EXPECT_EQ(lines.back(), c.last) << c.setUp << " / " << c.end;
  }
}

TEST_F(CallModelTest, AMissedCallStaysUnseenUntilTheProgramSaysOtherwise) {
  Happen("incoming bob");
  EXPECT_EQ(Happen("far-hangup"), (Lines{"CALL 1000 STATUS MISSED"}));
  EXPECT_EQ(Get(1000, "SEEN"), "CALL 1000 SEEN FALSE");
  EXPECT_EQ(Get(1000, "DURATION"), "CALL 1000 DURATION 0");
  EXPECT_EQ(Send("SEARCH MISSEDCALLS"), (Lines{"CALLS 1000"}));
  EXPECT_EQ(Send("SET CALL 1000 SEEN"), (Lines{"CALL 1000 SEEN TRUE"}));
  EXPECT_EQ(Send("SEARCH MISSEDCALLS"), (Lines{"CALLS "}));
}

TEST_F(CallModelTest, AnOutgoingCallRoutesRingsAndIsAnsweredByTheFarEnd) {
  ASSERT_TRUE(client().Apply("callee bob answer 500"));
  EXPECT_EQ(Send("CALL bob"), (Lines{"CALL 1000 STATUS ROUTING"}));
  ASSERT_EQ(last.later.size(), 1u);
  EXPECT_EQ(last.later[0].delayMs, 150);
  last = {};
  ASSERT_TRUE(client().Event("ring 1000", &last));
  EXPECT_EQ(last.lines, (Lines{"CALL 1000 STATUS RINGING"}));
  ASSERT_EQ(last.later.size(), 1u);
  EXPECT_EQ(last.later[0].delayMs, 500);
  EXPECT_EQ(RunLater(), (Lines{"CALL 1000 STATUS INPROGRESS"}));
  EXPECT_EQ(Get(1000, "TYPE"), "CALL 1000 TYPE OUTGOING_P2P");
  // The user may as well dial in the client.
  EXPECT_EQ(Happen("call alice"), (Lines{"CALL 1000 STATUS LOCALHOLD", "CALL 1001 STATUS ROUTING"}));
  // Nobody by that name in the contacts: the client shows the handle.
  EXPECT_EQ(Get(1000, "PARTNER_DISPNAME"), "CALL 1000 PARTNER_DISPNAME bob");
}

TEST_F(CallModelTest, TheFarEndOfAnOutgoingCallAnswersAsTheScenarioSays) {
  const struct {
    const char* callee;
    Lines lines;
  } cases[] = {
      {"callee bob busy 10", {"CALL 1000 STATUS BUSY"}},
      {"callee bob refuse 10", {"CALL 1000 STATUS REFUSED"}},
      {"callee bob fail 10", {"CALL 1000 STATUS FAILED"}},
      {"callee bob voicemail 10", {"CALL 1000 STATUS VM_PLAYING_GREETING", "CALL 1000 STATUS VM_RECORDING"}},
  };
  for (const auto& c : cases) {
    Reset();
    ASSERT_TRUE(client().Apply(c.callee));
    Send("CALL bob");
    Happen("ring 1000");
    EXPECT_EQ(RunLater(), c.lines) << c.callee;
  }
  // After the greeting the caller leaves a message and hangs up.
  EXPECT_EQ(Send("HOOK ON"), (Lines{"HOOK ON", "CALL 1000 STATUS VM_SENT"}));
}

TEST_F(CallModelTest, ALaterEventThatNoLongerFitsChangesNothing) {
  Send("CALL +4930123456");
  const Effects routing = last;
  EXPECT_EQ(Send("SET CALL 1000 STATUS FINISHED"), (Lines{"CALL 1000 STATUS CANCELLED"}));
  Effects effects;
  EXPECT_FALSE(client().Event(routing.later.at(0).event, &effects));
  EXPECT_TRUE(effects.lines.empty());
  EXPECT_EQ(Get(1000, "TYPE"), "CALL 1000 TYPE OUTGOING_PSTN");
  EXPECT_EQ(Get(1000, "PSTN_NUMBER"), "CALL 1000 PSTN_NUMBER +4930123456");
}

TEST_F(CallModelTest, ASecondCallRingsWhileOneIsInProgressAndAnsweringItHoldsTheFirst) {
  Happen("incoming alice");
  Happen("answer");
  EXPECT_EQ(Happen("incoming bob"), (Lines{"CALL 1001 STATUS RINGING"}));
  EXPECT_EQ(Send("SET CALL  1000 STATUS ONHOLD"), (Lines{"CALL 1000 STATUS LOCALHOLD"}));
  EXPECT_EQ(Send("SET CALL  1001 STATUS INPROGRESS"), (Lines{"CALL 1001 STATUS INPROGRESS"}));
  // Resuming the first holds the second.
  EXPECT_EQ(Send("SET CALL 1000 STATUS INPROGRESS"),
            (Lines{"CALL 1001 STATUS LOCALHOLD", "CALL 1000 STATUS INPROGRESS"}));
  EXPECT_EQ(Send("SEARCH ACTIVECALLS"), (Lines{"CALLS 1001, 1000"}));
  // HOOK OFF with nothing ringing answers nothing.
  EXPECT_EQ(Send("HOOK OFF"), (Lines{"HOOK OFF"}));
}

TEST_F(CallModelTest, EarlyMediaAndRemoteHold) {
  EXPECT_EQ(Happen("incoming +15551234 earlymedia"), (Lines{"CALL 1000 STATUS EARLYMEDIA"}));
  EXPECT_EQ(Get(1000, "TYPE"), "CALL 1000 TYPE INCOMING_PSTN");
  EXPECT_EQ(Send("HOOK OFF"), (Lines{"HOOK OFF", "CALL 1000 STATUS INPROGRESS"}));
  EXPECT_EQ(Happen("far-hold"), (Lines{"CALL 1000 STATUS REMOTEHOLD"}));
  EXPECT_EQ(Happen("far-resume"), (Lines{"CALL 1000 STATUS INPROGRESS"}));
  EXPECT_EQ(Send("SET CALL 1000 DTMF 5"), (Lines{"CALL 1000 DTMF 5"}));
  EXPECT_EQ(Get(1000, "DTMF"), "CALL 1000 DTMF 5");
}

TEST_F(CallModelTest, CommandsThatFitNoCallAreErrorsAndChangeNothing) {
  EXPECT_EQ(Send("GET CALL 77 STATUS"), (Lines{"ERROR 11 Invalid call id"}));
  EXPECT_EQ(Send("SET CALL     7 STATUS FINISHED"), (Lines{"ERROR 11 Invalid call id"}));
  Happen("incoming alice");
  EXPECT_EQ(Send("SET CALL 1000 STATUS ONHOLD").at(0).substr(0, 8), "ERROR 21");
  EXPECT_EQ(Send("GET CALL 1000 NONSENSE"), (Lines{"ERROR 7 Invalid property"}));
  EXPECT_EQ(Send("CALL"), (Lines{"ERROR 34 Invalid user handle"}));
  Effects effects;
  EXPECT_FALSE(client().Event("far-answer", &effects));  // nothing outgoing
  EXPECT_FALSE(client().Event("resume 1000", &effects));
  EXPECT_FALSE(client().Event("incoming", &effects));
  EXPECT_TRUE(effects.lines.empty());
  EXPECT_EQ(Get(1000, "STATUS"), "CALL 1000 STATUS RINGING");
}

TEST_F(CallModelTest, AlterCallIsTheNewerSpellingOfTheSameChanges) {
  Happen("incoming alice");
  EXPECT_EQ(Send("ALTER CALL 1000 ANSWER"), (Lines{"ALTER CALL 1000 ANSWER", "CALL 1000 STATUS INPROGRESS"}));
  EXPECT_EQ(Send("ALTER CALL 1000 HOLD"), (Lines{"ALTER CALL 1000 HOLD", "CALL 1000 STATUS LOCALHOLD"}));
  EXPECT_EQ(Send("ALTER CALL 1000 RESUME"), (Lines{"ALTER CALL 1000 RESUME", "CALL 1000 STATUS INPROGRESS"}));
  EXPECT_EQ(Send("ALTER CALL 1000 ANSWER").at(0).substr(0, 8), "ERROR 21");
  EXPECT_EQ(Send("ALTER CALL 1000 HANGUP"), (Lines{"ALTER CALL 1000 HANGUP", "CALL 1000 STATUS FINISHED"}));
  // Once ended the call can no longer be altered.
  EXPECT_EQ(Send("ALTER CALL 1000 HANGUP"), (Lines{"ERROR 11 Invalid call id"}));
}

TEST_F(CallModelTest, TheClientsOwnButtonsDialAnswerAndHangUp) {
  for (const char* key : {"5", "5", "5", "1", "7"}) Send(std::string("BTN_RELEASED ") + key);
  EXPECT_EQ(Send("BTN_RELEASED C"), (Lines{"BTN_RELEASED C"}));
  // Backspace in the dial field erases a digit too, without a word to the program.
  EXPECT_TRUE(Happen("backspace").empty());
  EXPECT_EQ(client().Calls().DialField(), "555");
  EXPECT_EQ(Send("BTN_RELEASED YES"), (Lines{"BTN_RELEASED YES", "CALL 1000 STATUS ROUTING"}));
  EXPECT_EQ(Get(1000, "PARTNER_HANDLE"), "CALL 1000 PARTNER_HANDLE 555");
  EXPECT_EQ(Send("BTN_RELEASED NO"), (Lines{"BTN_RELEASED NO", "CALL 1000 STATUS CANCELLED"}));
  Happen("incoming alice");
  EXPECT_EQ(Send("BTN_RELEASED YES"), (Lines{"BTN_RELEASED YES", "CALL 1001 STATUS INPROGRESS"}));
}

TEST_F(CallModelTest, TheHistoryFromTheScenarioIsListedNewestFirstWithEveryDetail) {
  ASSERT_TRUE(client().Apply("history 12 INCOMING_P2P MISSED alice"));
  ASSERT_TRUE(client().Apply("history 11 OUTGOING_PSTN FINISHED +4930123 75"));
  ASSERT_TRUE(client().Apply("calls 9, 12"));  // 12 is known already
  EXPECT_FALSE(client().Apply("history 13 SIDEWAYS_P2P FINISHED alice"));
  EXPECT_FALSE(client().Apply("history 14 INCOMING_P2P RINGING alice"));  // not a past call
  EXPECT_FALSE(client().Apply("history 12 INCOMING_P2P FINISHED alice"));  // id taken
  EXPECT_EQ(Send("SEARCH CALLS"), (Lines{"CALLS 12, 11, 9"}));
  EXPECT_EQ(Send("SEARCH MISSEDCALLS"), (Lines{"CALLS 12"}));
  EXPECT_EQ(Get(11, "DURATION"), "CALL 11 DURATION 75");
  EXPECT_EQ(Get(11, "TYPE"), "CALL 11 TYPE OUTGOING_PSTN");
  EXPECT_EQ(Get(9, "STATUS"), "CALL 9 STATUS FINISHED");
  const auto timestamp = [&](int id) {
    const std::string line = Get(id, "TIMESTAMP");
    return std::stoll(line.substr(line.rfind(' ') + 1));
  };
  EXPECT_LT(timestamp(9), timestamp(12));
  // New calls take ids above the history's and go to the front.
  Happen("incoming bob");
  EXPECT_EQ(Send("SEARCH CALLS"), (Lines{"CALLS 1000, 12, 11, 9"}));
}

}  // namespace
}  // namespace simskype
