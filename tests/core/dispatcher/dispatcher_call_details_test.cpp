// The CALL properties other than STATUS: which record each reply fills, when
// the caller is shown on the handset, and TIMESTAMP, which commits an ended
// call to the history and lets the second call take its place.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/dispatcher/dispatcher_rig.h"
#include "interfaces/handset_mode.h"

namespace tolvane::testing {
namespace {

using Effects = std::vector<std::string>;

constexpr int kCur = 10;
constexpr int kSec = 20;
constexpr int kListed = 40;

class CallDetails : public ::testing::Test {
 protected:
  void SetUp() override {
    rig.AddHistory(kListed);
    rig.MakeCurrent(kCur, 2);
    rig.MakeSecond(kSec, 3);
    rig.Mark();
  }
  std::string CurrentText(Status (IPhoneState::*get)(char*)) {
    char text[kTextBufferSize] = {};
    (rig.phone.*get)(text);
    return text;
  }
  DispatcherRig rig;
};

TEST_F(CallDetails, SeenGoesToTheRecordTheIdNames) {
  rig.Feed({"CALL 10 SEEN FALSE", "CALL 20 SEEN TRUE", "CALL 40 SEEN TRUE"});
  int seen = -1;
  rig.phone.GetCurrentSeen(&seen);
  EXPECT_EQ(seen, 0);
  rig.phone.GetSecondSeen(&seen);
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(rig.HistoryEntry(kListed)->seen, 1);
  // Only the last call of a history reload says that the history is complete.
  EXPECT_TRUE(rig.Effects().empty());
}

TEST_F(CallDetails, TypeAndDurationGoToTheRecordTheIdNames) {
  rig.Feed({"CALL 10 TYPE INCOMING_PSTN", "CALL 20 TYPE OUTGOING_P2P", "CALL 40 TYPE OUTGOING_PSTN",
            "CALL 10 DURATION 61", "CALL 20 DURATION 30", "CALL 40 DURATION 7"});
  EXPECT_EQ(rig.CurrentType(), 2);
  int type = 0;
  rig.phone.GetSecondCallType(&type);
  EXPECT_EQ(type, 1);
  EXPECT_EQ(rig.HistoryEntry(kListed)->type, 3);
  int seconds = 0;
  rig.phone.GetCurrentDuration(&seconds);
  EXPECT_EQ(seconds, 61);
  rig.phone.GetSecondDuration(&seconds);
  EXPECT_EQ(seconds, 30);
}

TEST_F(CallDetails, UnknownTypeWordIsStoredAsUnknown) {
  rig.Feed({"CALL 10 TYPE INCOMING_P2P", "CALL 10 TYPE VIDEO"});
  EXPECT_EQ(rig.CurrentType(), -1);
}

TEST_F(CallDetails, RingingCallerHandleIsShown) {
  rig.Feed({"CALL 10 PARTNER_HANDLE alice"});
  EXPECT_EQ(CurrentText(&IPhoneState::GetCurrentPartnerHandle), "alice");
  EXPECT_EQ(rig.log.Count("contacts SetShownHandle alice"), 1u);
  EXPECT_EQ(rig.Since({"renderer ShowText", "code "}), (Effects{"renderer ShowText alice", "code 62"}));
  EXPECT_EQ(rig.handset.mode.load(), kModeHandleText);
}

TEST_F(CallDetails, RingingCallerNameIsShownAsJoinedWords) {
  rig.handset.mode.store(kModeCallerIdAsked);
  rig.Feed({"CALL 10 PARTNER_DISPNAME Alice   van  Dijk"});
  EXPECT_EQ(CurrentText(&IPhoneState::GetCurrentDisplayName), "Alice van Dijk ");
  EXPECT_EQ(rig.log.Count("contacts SetShownName Alice van Dijk "), 1u);
  EXPECT_EQ(rig.Since({"renderer ShowText", "code "}), (Effects{"renderer ShowText Alice van Dijk ", "code 63"}));
  EXPECT_EQ(rig.handset.mode.load(), kModeCallerIdAsked | kModeRenderedText);
}

TEST_F(CallDetails, CallerOfACallInProgressIsStoredButNotShown) {
  rig.MakeCurrent(kCur, 3);
  rig.Feed({"CALL 10 PARTNER_HANDLE alice", "CALL 10 PARTNER_DISPNAME Alice"});
  EXPECT_EQ(CurrentText(&IPhoneState::GetCurrentPartnerHandle), "alice");
  EXPECT_EQ(CurrentText(&IPhoneState::GetCurrentDisplayName), "Alice ");
  EXPECT_TRUE(rig.Since({"renderer ShowText", "code "}).empty());
}

TEST_F(CallDetails, CallerIsNotShownWithoutTheHandset) {
  rig.session.attached.store(false);
  rig.Feed({"CALL 10 PARTNER_HANDLE alice", "CALL 10 PARTNER_DISPNAME Alice"});
  EXPECT_EQ(CurrentText(&IPhoneState::GetCurrentDisplayName), "Alice ");
  EXPECT_TRUE(rig.Since({"renderer ShowText", "code "}).empty());
  EXPECT_EQ(rig.handset.mode.load(), 0u);
}

TEST_F(CallDetails, RingingSecondCallerIsShownByTheSecondCallsStatus) {
  rig.MakeCurrent(kCur, 3);
  rig.MakeSecond(kSec, 2);
  rig.Feed({"CALL 20 PARTNER_HANDLE bob", "CALL 20 PARTNER_DISPNAME Bob"});
  char text[kTextBufferSize] = {};
  rig.phone.GetSecondPartnerHandle(text);
  EXPECT_STREQ(text, "bob");
  rig.phone.GetSecondDisplayName(text);
  EXPECT_STREQ(text, "Bob ");
  EXPECT_EQ(rig.Since({"renderer ShowText", "code "}),
            (Effects{"renderer ShowText bob", "code 62", "renderer ShowText Bob ", "code 63"}));
}

TEST_F(CallDetails, SecondCallerInProgressIsStoredButNotShown) {
  rig.Feed({"CALL 20 PARTNER_DISPNAME Bob"});
  EXPECT_TRUE(rig.Since({"renderer ShowText", "code "}).empty());
  EXPECT_EQ(rig.log.Count("contacts SetShownName Bob "), 1u);
}

TEST_F(CallDetails, HistoryCallTextsGoToItsEntry) {
  rig.Feed({"CALL 40 PARTNER_HANDLE carol", "CALL 40 PARTNER_DISPNAME Carol C"});
  const auto entry = rig.HistoryEntry(kListed);
  EXPECT_EQ(entry->handle, "carol");
  EXPECT_EQ(entry->name, "Carol C ");
  EXPECT_TRUE(rig.Since({"renderer ShowText", "code ", "contacts SetShown"}).empty());
}

TEST_F(CallDetails, HistoryTimestampCompletesTheEntryAndRefreshesTheSelection) {
  rig.phone.SetHistoryDisplayName(kListed, "Old", 4);
  rig.phone.ResetBrowse();
  rig.phone.SetBrowseMode(1);
  int selected = 0;
  ASSERT_EQ(rig.phone.BrowseStep(0, 0, &selected), kOk);
  ASSERT_EQ(selected, kListed);
  rig.Feed({"CALL 40 TIMESTAMP 1765000000"});
  // The selected entry's view is refilled at once: its name is now readable.
  char name[kTextBufferSize] = {};
  EXPECT_EQ(rig.phone.GetSelectedDisplayName(name), kOk);
  EXPECT_STREQ(name, "Old");
  int hasDetails = 0;
  rig.phone.GetHistoryHasDetails(kListed, &hasDetails);
  EXPECT_EQ(hasDetails, 1);
}

TEST_F(CallDetails, UnlistedHistoryTimestampPutsTheCallAtTheFront) {
  rig.Feed({"CALL 77 TIMESTAMP 1765000000"});
  EXPECT_EQ(rig.HistoryIds(), (std::vector<int>{77, kListed}));
}

TEST_F(CallDetails, UnknownPropertyIsDropped) {
  rig.Feed({"CALL 10 VIDEO_STATUS VIDEO_NONE", "CALL 10 RATE 100"});
  EXPECT_TRUE(rig.Since({"renderer", "code ", "cmd ", "contacts"}).empty());
  EXPECT_EQ(rig.CurrentStatus(), 2);
}

// TIMESTAMP of the current call, by the status it ended with.
struct CloseRow {
  const char* name;
  int status;
  bool commits;
  Effects effects;
};

void PrintTo(const CloseRow& row, std::ostream* out) { *out << row.name; }

class CloseCurrentCall : public ::testing::TestWithParam<CloseRow> {};

TEST_P(CloseCurrentCall, CommitsEndedCallsAndPromotesTheSecond) {
  const CloseRow& row = GetParam();
  DispatcherRig rig;
  rig.MakeCurrent(kCur, row.status);
  rig.phone.SetCurrentCallType(0);
  rig.phone.SetCurrentSeen(0);
  rig.MakeSecond(kSec, 2);
  rig.phone.SetSecondPartnerHandle("bob", 4);
  rig.phone.SetSecondCallType(0);
  rig.phone.SetSecondTimestamp(1764000000);  // the second call began a day before the first ended
  rig.Mark();

  rig.Feed({"CALL 10 TIMESTAMP 1765000000"});

  EXPECT_EQ(rig.Effects(), row.effects);
  if (row.commits) {
    EXPECT_EQ(rig.HistoryIds(), std::vector<int>{kCur});
    EXPECT_EQ(rig.CurrentId(), kSec);
    EXPECT_EQ(rig.CurrentStatus(), 2);
    char handle[kTextBufferSize] = {};
    rig.phone.GetCurrentPartnerHandle(handle);
    EXPECT_STREQ(handle, "bob");
    EXPECT_EQ(rig.SecondId(), 0);
    // The promoted call keeps its own time: once in the history it shows the
    // time a call committed with that time shows, not the first call's.
    rig.phone.SetCurrentCallStatus(4);
    rig.phone.CommitCurrentCall();
    rig.phone.ResetCurrentCall();
    constexpr int kSameTime = 77;
    rig.MakeCurrent(kSameTime, 4);
    rig.phone.SetCurrentCallType(0);
    rig.phone.SetCurrentTimestamp(1764000000);
    rig.phone.CommitCurrentCall();
    const std::optional<HistoryEntryView> promoted = rig.HistoryEntry(kSec);
    const std::optional<HistoryEntryView> committed = rig.HistoryEntry(kCur);
    const std::optional<HistoryEntryView> sameTime = rig.HistoryEntry(kSameTime);
    ASSERT_TRUE(promoted && committed && sameTime);
    EXPECT_FALSE(promoted->timestamp.empty());
    EXPECT_EQ(promoted->timestamp, sameTime->timestamp);
    EXPECT_NE(promoted->timestamp, committed->timestamp);
  } else {
    EXPECT_TRUE(rig.HistoryIds().empty());
    EXPECT_EQ(rig.CurrentId(), kCur);
    EXPECT_EQ(rig.SecondId(), kSec);
  }
}

const CloseRow kCloseRows[] = {
    {"Finished", 4, true, {"wait idle", "code 62"}},
    {"VoicemailSent", 20, true, {"wait idle", "code 62"}},
    {"VoicemailCancelled", 21, true, {"wait idle", "code 62"}},
    // The committed missed call is unseen and incoming: it is counted.
    {"Missed", 5, true, {"wait idle", "sleep 20", "code 63"}},
    {"Failed", 6, true, {"wait idle"}},
    {"Refused", 7, true, {"wait idle"}},
    {"Busy", 8, true, {"wait idle"}},
    {"Cancelled", 9, true, {"wait idle"}},
    {"StillRinging", 2, false, {}},
    {"InProgress", 3, false, {}},
    {"OnHold", 15, false, {}},
    {"Redirected", 22, false, {}},
};

INSTANTIATE_TEST_SUITE_P(Dispatcher, CloseCurrentCall, ::testing::ValuesIn(kCloseRows),
                         [](const ::testing::TestParamInfo<CloseRow>& param) { return std::string(param.param.name); });

TEST(DispatcherTimestamp, FinishedCallShowsItsDurationAndKeepsTheTimestamp) {
  DispatcherRig rig;
  rig.MakeCurrent(kCur, 4);
  rig.phone.SetCurrentCallType(1);
  rig.Feed({"CALL 10 DURATION 3661", "CALL 10 TIMESTAMP 1765000000"});
  EXPECT_EQ(rig.handset.mode.load() & kModeDuration, kModeDuration);
  EXPECT_EQ(rig.HistoryIds(), std::vector<int>{kCur});
  EXPECT_EQ(rig.CurrentId(), 0);
  EXPECT_EQ(rig.CurrentStatus(), -1);
  std::string duration;
  char c = 0;
  while (rig.phone.ReadDurationTextChar(&c) == kOk) duration.push_back(c);
  EXPECT_EQ(duration, "01:01:01");
}

TEST(DispatcherTimestamp, WithoutTheHandsetNothingIsShownButTheCallIsCommitted) {
  DispatcherRig rig;
  rig.session.attached.store(false);
  rig.MakeCurrent(kCur, 5);
  rig.phone.SetCurrentCallType(0);
  rig.Mark();
  rig.Feed({"CALL 10 TIMESTAMP 1765000000"});
  EXPECT_EQ(rig.Effects(), Effects{"wait idle"});
  EXPECT_EQ(rig.HistoryIds(), std::vector<int>{kCur});
}

TEST(DispatcherTimestamp, EndedSecondCallIsCommittedWithoutPromotion) {
  DispatcherRig rig;
  rig.MakeCurrent(kCur, 3);
  rig.MakeSecond(kSec, 5);
  rig.phone.SetSecondCallType(2);
  rig.phone.SetSecondSeen(0);
  rig.Mark();
  rig.Feed({"CALL 20 TIMESTAMP 1765000000"});
  EXPECT_EQ(rig.HistoryIds(), std::vector<int>{kSec});
  EXPECT_EQ(rig.CurrentId(), kCur);
  EXPECT_EQ(rig.SecondId(), 0);
  EXPECT_EQ(rig.Effects(), (Effects{"wait idle", "sleep 20", "code 63"}));
  EXPECT_EQ(rig.Since({"renderer ShowText"}), Effects{"renderer ShowText You have 1 missed call !"});
}

TEST(DispatcherTimestamp, SecondCallStillRingingIsLeftAlone) {
  DispatcherRig rig;
  rig.MakeCurrent(kCur, 3);
  rig.MakeSecond(kSec, 2);
  rig.Mark();
  rig.Feed({"CALL 20 TIMESTAMP 1765000000"});
  EXPECT_TRUE(rig.HistoryIds().empty());
  EXPECT_EQ(rig.SecondId(), kSec);
  EXPECT_TRUE(rig.Effects().empty());
}

}  // namespace
}  // namespace tolvane::testing
