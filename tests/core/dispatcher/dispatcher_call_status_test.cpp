// The call state machine's STATUS table: every status word against the
// current call, the second call and any other call, with the store's state
// before and after and the handset and session effects in order.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "interfaces/handset_mode.h"
#include "interfaces/client_windows.h"
#include "core/dispatcher/dispatcher_rig.h"

namespace tolvane::testing {
namespace {

using Effects = std::vector<std::string>;

constexpr int kCur = 10;      // the current call
constexpr int kSec = 20;      // the second call
constexpr int kOther = 30;    // a new call, not in the history
constexpr int kListed = 40;   // a call the history holds

Effects Cat(std::initializer_list<Effects> parts) {
  Effects all;
  for (const Effects& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

std::string Cmd(const char* property, int id) {
  return "cmd GET CALL " + std::to_string(id) + " " + property;
}

// The end refresh: display name, handle, type, seen, duration, timestamp.
Effects Refresh(int id) {
  return {"sleep 20",
          Cmd("PARTNER_DISPNAME", id),
          Cmd("PARTNER_HANDLE", id),
          Cmd("TYPE", id),
          Cmd("SEEN", id),
          Cmd("DURATION", id),
          Cmd("TIMESTAMP", id)};
}

Effects HangUp(int id) { return Cat({{"wait idle", "code 32"}, Refresh(id)}); }

// The queries after a talked call ends: seen before type.
Effects TalkedQueries(int id) {
  return {Cmd("PARTNER_DISPNAME", id), Cmd("PARTNER_HANDLE", id), Cmd("SEEN", id),
          Cmd("TYPE", id),             Cmd("DURATION", id),       Cmd("TIMESTAMP", id)};
}

// Second-call queries: type before seen, no pause.
Effects SecondQueries(int id) {
  return {Cmd("PARTNER_DISPNAME", id), Cmd("PARTNER_HANDLE", id), Cmd("TYPE", id),
          Cmd("SEEN", id),             Cmd("DURATION", id),       Cmd("TIMESTAMP", id)};
}

Effects AskName(int id) { return {Cmd("PARTNER_DISPNAME", id)}; }

struct Live {
  int id = 0;
  int status = -1;
};

struct Row {
  const char* name;
  // Before.
  Live current;
  Live second;
  std::string line;
  // After.
  Live currentAfter;
  Live secondAfter;
  Effects effects;
  int listedStatusAfter = -1;  // status of call 40 in the history
  bool historyLoaded = true;
  bool interruptRing = false;
  std::uint32_t mode = 0;
  bool errorWindow = false;
};

std::string Line(int id, const char* word) { return "CALL " + std::to_string(id) + " STATUS " + word; }

const Row kRows[] = {
    // ROUTING: any call not in the history becomes current, whatever is current.
    {"RoutingNewCall", {}, {}, Line(kOther, "ROUTING"), {kOther, 0}, {}, {"wait idle", "code 152"}},
    {"RoutingOverCurrent", {kCur, 3}, {}, Line(kOther, "ROUTING"), {kOther, 0}, {}, {"wait idle", "code 152"}},
    {"RoutingCurrent", {kCur, 0}, {}, Line(kCur, "ROUTING"), {kCur, 0}, {}, {"wait idle", "code 152"}},
    {"RoutingSecond", {kCur, 3}, {kSec, 2}, Line(kSec, "ROUTING"), {kSec, 0}, {kSec, 2}, {"wait idle", "code 152"}},
    {"RoutingListedCall", {}, {}, Line(kListed, "ROUTING"), {}, {}, {}},

    // RINGING.
    {"RingingFarEnd", {kCur, 0}, {}, Line(kCur, "RINGING"), {kCur, 1}, {}, Cat({{"wait idle"}, AskName(kCur)})},
    {"RingingCurrentTalking", {kCur, 3}, {}, Line(kCur, "RINGING"), {kCur, 3}, {}, {}},
    {"RingingSecond", {kCur, 3}, {}, Line(kSec, "RINGING"), {kCur, 3}, {kSec, 2}, Cat({{"wait idle"}, AskName(kSec)})},
    {"RingingSecondInterrupts", {kCur, 3}, {}, Line(kSec, "RINGING"), {kCur, 3}, {kSec, 2},
     Cat({{"wait idle", "code 158"}, AskName(kSec)}), -1, true, true},
    {"RingingNewCall", {}, {}, Line(kOther, "RINGING"), {kOther, 2}, {}, Cat({{"code 158"}, AskName(kOther)})},
    {"RingingNewCallWhileBrowsing", {}, {}, Line(kOther, "RINGING"), {kOther, 2}, {},
     Cat({{"wait idle", "code 158"}, AskName(kOther)}), -1, true, false, kModeBrowseHistory},
    {"RingingNewCallAfterCallerAsked", {}, {}, Line(kOther, "RINGING"), {kOther, 2}, {},
     Cat({{"wait idle", "code 158"}, AskName(kOther)}), -1, true, false, kModeCallerIdAsked},
    {"RingingBeforeHistoryLoaded", {}, {}, Line(kOther, "RINGING"), {}, {},
     {"queue SET CALL    30 STATUS FINISHED", "history loaded 1"}, -1, false},
    {"RingingListedCall", {}, {}, Line(kListed, "RINGING"), {kListed, 2}, {}, {}},

    // EARLYMEDIA.
    {"EarlyMediaCurrent", {kCur, 0}, {}, Line(kCur, "EARLYMEDIA"), {kCur, 23}, {}, Cat({{"wait idle"}, AskName(kCur)})},
    {"EarlyMediaCurrentTalking", {kCur, 3}, {}, Line(kCur, "EARLYMEDIA"), {kCur, 3}, {}, {}},
    {"EarlyMediaSecond", {kCur, 3}, {}, Line(kSec, "EARLYMEDIA"), {kCur, 3}, {kSec, 23},
     Cat({{"wait idle"}, AskName(kSec)})},
    {"EarlyMediaSecondInterrupts", {kCur, 3}, {}, Line(kSec, "EARLYMEDIA"), {kCur, 3}, {kSec, 23},
     Cat({{"wait idle", "code 158"}, AskName(kSec)}), -1, true, true},
    {"EarlyMediaNewCall", {}, {}, Line(kOther, "EARLYMEDIA"), {kOther, 23}, {}, Cat({{"code 158"}, AskName(kOther)})},
    {"EarlyMediaNewCallCallerAsked", {}, {}, Line(kOther, "EARLYMEDIA"), {kOther, 23}, {},
     Cat({{"code 158"}, AskName(kOther)}), -1, true, false, kModeCallerIdAsked},
    {"EarlyMediaNewCallWhileBrowsing", {}, {}, Line(kOther, "EARLYMEDIA"), {kOther, 23}, {},
     Cat({{"wait idle", "code 158"}, AskName(kOther)}), -1, true, false, kModeBrowseContacts},
    {"EarlyMediaListedCall", {}, {}, Line(kListed, "EARLYMEDIA"), {kListed, 23}, {}, {}},

    // INPROGRESS.
    {"InProgressFromRouting", {kCur, 0}, {}, Line(kCur, "INPROGRESS"), {kCur, 3}, {}, {"wait idle", "code 31"}},
    {"InProgressFromFarRinging", {kCur, 1}, {}, Line(kCur, "INPROGRESS"), {kCur, 3}, {}, {"wait idle", "code 31"}},
    {"InProgressAnswered", {kCur, 2}, {}, Line(kCur, "INPROGRESS"), {kCur, 3}, {}, {"wait idle", "code 31"}},
    {"InProgressResumed", {kCur, 15}, {}, Line(kCur, "INPROGRESS"), {kCur, 3}, {}, {"wait idle", "code 31"}},
    {"InProgressFromEarlyMedia", {kCur, 23}, {}, Line(kCur, "INPROGRESS"), {kCur, 3}, {}, {"wait idle", "code 31"}},
    {"InProgressAfterFinished", {kCur, 4}, {}, Line(kCur, "INPROGRESS"), {kCur, 4}, {}, {}},
    {"InProgressSecondAnswered", {kCur, 15}, {kSec, 2}, Line(kSec, "INPROGRESS"), {kCur, 15}, {kSec, 3},
     {"wait idle", "code 31"}},
    {"InProgressSecondHeld", {kCur, 3}, {kSec, 15}, Line(kSec, "INPROGRESS"), {kCur, 3}, {kSec, 15}, {}},
    {"InProgressOtherAnswersSecond", {kCur, 3}, {kSec, 2}, Line(kOther, "INPROGRESS"), {kCur, 3}, {kSec, 3},
     {"wait idle", "code 31"}},
    {"InProgressOtherNoCall", {}, {}, Line(kOther, "INPROGRESS"), {}, {}, {}},

    // LOCALHOLD and REMOTEHOLD.
    {"HoldTalking", {kCur, 3}, {}, Line(kCur, "LOCALHOLD"), {kCur, 15}, {}, {"code 35"}},
    {"HoldRouting", {kCur, 0}, {}, Line(kCur, "REMOTEHOLD"), {kCur, 15}, {}, {"code 35"}},
    {"HoldHeld", {kCur, 15}, {}, Line(kCur, "REMOTEHOLD"), {kCur, 15}, {}, {"code 35"}},
    {"HoldEarlyMedia", {kCur, 23}, {}, Line(kCur, "LOCALHOLD"), {kCur, 15}, {}, {"code 35"}},
    {"HoldRinging", {kCur, 2}, {}, Line(kCur, "LOCALHOLD"), {kCur, 2}, {}, {}},
    {"HoldSecondTalking", {kCur, 15}, {kSec, 3}, Line(kSec, "LOCALHOLD"), {kCur, 15}, {kSec, 15}, {"code 35"}},
    {"HoldSecondRinging", {kCur, 3}, {kSec, 2}, Line(kSec, "LOCALHOLD"), {kCur, 3}, {kSec, 2}, {}},
    {"HoldOtherWhileDialling", {kCur, 23}, {}, Line(kOther, "LOCALHOLD"), {kCur, 23}, {0, 15}, {"code 35"}},
    {"HoldOtherNoCall", {}, {}, Line(kOther, "REMOTEHOLD"), {}, {}, {}},

    // FINISHED.
    {"FinishedWhileRouting", {kCur, 0}, {}, Line(kCur, "FINISHED"), {kCur, 4}, {}, HangUp(kCur)},
    {"FinishedTalking", {kCur, 3}, {}, Line(kCur, "FINISHED"), {kCur, 4}, {},
     Cat({{"wait idle", "code 32", "sleep 20"}, TalkedQueries(kCur)})},
    {"FinishedHeld", {kCur, 15}, {}, Line(kCur, "FINISHED"), {kCur, 4}, {},
     Cat({{"wait idle", "code 32", "sleep 20"}, TalkedQueries(kCur)})},
    {"FinishedEarlyMedia", {kCur, 23}, {}, Line(kCur, "FINISHED"), {kCur, 4}, {},
     Cat({{"wait idle", "code 32", "sleep 20"}, TalkedQueries(kCur)})},
    {"FinishedTalkingSecondRings", {kCur, 3}, {kSec, 2}, Line(kCur, "FINISHED"), {kCur, 4}, {kSec, 2},
     Cat({{"wait idle", "code 32", "sleep 20", "code 158", "sleep 10"}, TalkedQueries(kCur)})},
    {"FinishedTalkingSecondHeld", {kCur, 3}, {kSec, 15}, Line(kCur, "FINISHED"), {kCur, 4}, {kSec, 15},
     Cat({{"wait idle", "code 32", "sleep 20"}, TalkedQueries(kCur)})},
    {"FinishedRinging", {kCur, 2}, {}, Line(kCur, "FINISHED"), {kCur, 2}, {}, {}},
    {"FinishedSecond", {kCur, 3}, {kSec, 3}, Line(kSec, "FINISHED"), {kCur, 3}, {kSec, 4}, SecondQueries(kSec)},
    {"FinishedSecondWhileCurrentRings", {kCur, 2}, {kSec, 3}, Line(kSec, "FINISHED"), {kCur, 2}, {kSec, 3}, {}},
    {"FinishedListedCall", {}, {}, Line(kListed, "FINISHED"), {}, {}, {}, 4},

    // MISSED, FAILED, REFUSED, CANCELLED, BUSY.
    {"MissedRinging", {kCur, 2}, {}, Line(kCur, "MISSED"), {kCur, 5}, {}, HangUp(kCur)},
    {"FailedTalking", {kCur, 3}, {}, Line(kCur, "FAILED"), {kCur, 6}, {}, Cat({{"cmd HOOK ON"}, HangUp(kCur)})},
    {"FailedWithErrorWindow", {kCur, 3}, {}, Line(kCur, "FAILED"), {kCur, 6}, {},
     Cat({{"code 159", "cmd HOOK ON"}, HangUp(kCur)}), -1, true, false, 0, true},
    {"FailedRingingErrorWindow", {kCur, 2}, {}, Line(kCur, "FAILED"), {kCur, 6}, {},
     Cat({{"code 159"}, HangUp(kCur)}), -1, true, false, 0, true},
    {"RefusedRouting", {kCur, 0}, {}, Line(kCur, "REFUSED"), {kCur, 7}, {}, Cat({{"cmd HOOK ON"}, HangUp(kCur)})},
    {"CancelledFarRinging", {kCur, 1}, {}, Line(kCur, "CANCELLED"), {kCur, 9}, {}, HangUp(kCur)},
    {"BusyEarlyMedia", {kCur, 23}, {}, Line(kCur, "BUSY"), {kCur, 8}, {}, Cat({{"cmd HOOK ON"}, HangUp(kCur)})},
    {"BusyHeld", {kCur, 15}, {}, Line(kCur, "BUSY"), {kCur, 8}, {}, Cat({{"cmd HOOK ON"}, HangUp(kCur)})},
    {"MissedVoicemailGreeting", {kCur, 17}, {}, Line(kCur, "MISSED"), {kCur, 5}, {}, HangUp(kCur)},
    {"MissedAfterFinished", {kCur, 4}, {}, Line(kCur, "MISSED"), {kCur, 4}, {}, HangUp(kCur)},
    {"MissedSecond", {kCur, 3}, {kSec, 2}, Line(kSec, "MISSED"), {kCur, 3}, {kSec, 5}, HangUp(kSec)},
    {"RefusedSecond", {kCur, 3}, {kSec, 2}, Line(kSec, "REFUSED"), {kCur, 3}, {kSec, 7}, HangUp(kSec)},
    {"MissedListedCall", {}, {}, Line(kListed, "MISSED"), {}, {}, {}, 5},
    {"BusyListedCallWhileTalking", {kCur, 3}, {}, Line(kListed, "BUSY"), {kCur, 3}, {}, {}, 8},

    // Voicemail.
    {"GreetingCurrent", {kCur, 3}, {}, Line(kCur, "VM_PLAYING_GREETING"), {kCur, 17}, {}, {}},
    {"GreetingSecond", {kCur, 3}, {kSec, 2}, Line(kSec, "VM_PLAYING_GREETING"), {kCur, 3}, {kSec, 17}, {}},
    {"GreetingListed", {}, {}, Line(kListed, "VM_PLAYING_GREETING"), {}, {}, {}, 17},
    {"GreetingOtherWhileTalking", {kCur, 3}, {}, Line(kOther, "VM_PLAYING_GREETING"), {kCur, 3}, {0, 17}, {}},
    {"RecordingCurrent", {kCur, 17}, {}, Line(kCur, "VM_RECORDING"), {kCur, 18}, {}, {}},
    {"RecordingSecond", {kCur, 3}, {kSec, 17}, Line(kSec, "VM_RECORDING"), {kCur, 3}, {kSec, 18}, {}},
    {"RecordingListed", {}, {}, Line(kListed, "VM_RECORDING"), {}, {}, {}, 18},
    {"RecordingOtherWhileTalking", {kCur, 3}, {}, Line(kOther, "VM_RECORDING"), {kCur, 3}, {0, 18}, {}},
    {"RedirectCurrent", {kCur, 2}, {}, Line(kCur, "VM_REDIRECT"), {kCur, 22}, {}, {}},
    {"RedirectSecond", {kCur, 3}, {kSec, 2}, Line(kSec, "VM_REDIRECT"), {kCur, 3}, {kSec, 22}, {}},
    {"RedirectOtherNoCall", {}, {}, Line(kListed, "VM_REDIRECT"), {}, {0, 22}, {}, -1},
    {"SentCurrent", {kCur, 18}, {}, Line(kCur, "VM_SENT"), {kCur, 20}, {}, HangUp(kCur)},
    {"SentSecond", {kCur, 3}, {kSec, 18}, Line(kSec, "VM_SENT"), {kCur, 3}, {kSec, 20}, HangUp(kSec)},
    {"SentListed", {}, {}, Line(kListed, "VM_SENT"), {}, {}, {}, 20},
    {"SentOtherWhileTalking", {kCur, 3}, {}, Line(kOther, "VM_SENT"), {kCur, 3}, {0, 20}, HangUp(kOther)},
    {"VmCancelledCurrent", {kCur, 18}, {}, Line(kCur, "VM_CANCELLED"), {kCur, 21}, {}, HangUp(kCur)},
    {"VmCancelledSecond", {kCur, 3}, {kSec, 17}, Line(kSec, "VM_CANCELLED"), {kCur, 3}, {kSec, 21}, HangUp(kSec)},
    {"VmCancelledListed", {}, {}, Line(kListed, "VM_CANCELLED"), {}, {}, {}, 21},
    {"VmCancelledOtherWhileTalking", {kCur, 3}, {}, Line(kOther, "VM_CANCELLED"), {kCur, 3}, {0, 21},
     HangUp(kOther)},

    // Words the program does not know, and the word in lower case.
    {"UnknownWord", {kCur, 3}, {}, Line(kCur, "UNPLACED"), {kCur, 3}, {}, {}},
    {"LowerCaseWord", {kCur, 3}, {}, Line(kCur, "finished"), {kCur, 3}, {}, {}},
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name << ": " << row.line; }

class CallStatusTable : public ::testing::TestWithParam<Row> {};

TEST_P(CallStatusTable, ChangesTheStoreAndTheHandsetAsTheTableSays) {
  const Row& row = GetParam();
  DispatcherRig rig;
  rig.AddHistory(kListed);
  if (row.current.id != 0) rig.MakeCurrent(row.current.id, row.current.status);
  if (row.second.id != 0) rig.MakeSecond(row.second.id, row.second.status);
  rig.session.historyLoaded.store(row.historyLoaded);
  rig.handset.Settings().SupportInterruptRingON.store(row.interruptRing ? 1 : 0);
  rig.handset.mode.store(row.mode);
  if (row.errorWindow) rig.windows.Open(kClientErrorWindowClass);
  rig.Mark();

  rig.Feed({row.line});

  EXPECT_EQ(rig.Effects(), row.effects);
  EXPECT_EQ(rig.CurrentId(), row.currentAfter.id);
  EXPECT_EQ(rig.CurrentStatus(), row.currentAfter.status);
  EXPECT_EQ(rig.SecondId(), row.secondAfter.id);
  EXPECT_EQ(rig.SecondStatus(), row.secondAfter.status);
  const auto listed = rig.HistoryEntry(kListed);
  ASSERT_TRUE(listed.has_value());
  EXPECT_EQ(listed->status, row.listedStatusAfter);
}

INSTANTIATE_TEST_SUITE_P(Dispatcher, CallStatusTable, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tolvane::testing
