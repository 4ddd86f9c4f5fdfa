#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "phone_state/phone_state.h"
#include "phone_state_support.h"

namespace tolvane {
namespace {

using testing::HistoryIds;
using testing::WithTerminator;

// Fills a live call through its setters, as the dispatcher does.
struct LiveCall {
  int id;
  int status;
  int type;
  int seen;
  const char* handle;
  const char* name;
  int timestamp;
  int duration;
};

void FillCurrent(PhoneState& store, const LiveCall& call) {
  store.SetCurrentCallId(call.id);
  store.SetCurrentCallStatus(call.status);
  store.SetCurrentCallType(call.type);
  store.SetCurrentSeen(call.seen);
  if (call.handle != nullptr) store.SetCurrentPartnerHandle(call.handle, WithTerminator(call.handle));
  if (call.name != nullptr) store.SetCurrentDisplayName(call.name, WithTerminator(call.name));
  store.SetCurrentTimestamp(call.timestamp);
  store.SetCurrentDuration(call.duration);
}

void FillSecond(PhoneState& store, const LiveCall& call) {
  store.SetSecondCallId(call.id);
  store.SetSecondCallStatus(call.status);
  store.SetSecondCallType(call.type);
  store.SetSecondSeen(call.seen);
  if (call.handle != nullptr) store.SetSecondPartnerHandle(call.handle, WithTerminator(call.handle));
  if (call.name != nullptr) store.SetSecondDisplayName(call.name, WithTerminator(call.name));
  store.SetSecondTimestamp(call.timestamp);
  store.SetSecondDuration(call.duration);
}

// What the handset sees of a history entry: select it and fill the view.
struct Shown {
  int type = 0, status = 0, seen = 0;
  std::string handle, name, duration;
};

Shown Show(PhoneState& store, int id, int mode) {
  store.SetBrowseMode(mode);
  store.ResetBrowse();
  int found = 0;
  Shown shown;
  const int entries = static_cast<int>(HistoryIds(store).size());
  for (int step = 0; step < entries && found != id; ++step) {
    if (store.BrowseStep(0, step == 0 ? 0 : 1, &found) != kOk) break;
  }
  EXPECT_EQ(found, id);
  store.RefreshSelected(id);
  char text[kTextBufferSize] = {};
  store.GetSelectedPartnerHandle(text);
  shown.handle = text;
  std::memset(text, 0, sizeof text);
  store.GetSelectedDisplayName(text);
  shown.name = text;
  store.GetSelectedType(&shown.type);
  store.GetSelectedStatus(&shown.status);
  store.GetSelectedSeen(&shown.seen);
  shown.duration = testing::ReadAll([&](char* c) { return store.ReadDurationTextChar(c); });
  return shown;
}

TEST(PhoneStateLiveTest, NewStoreHasNoCurrentAndNoSecondCall) {
  PhoneState store;
  int id = -1, status = 0;
  store.GetCurrentCallId(&id);
  EXPECT_EQ(id, 0);
  store.GetCurrentCallStatus(&status);
  EXPECT_EQ(status, -1);
  store.GetSecondCallId(&id);
  EXPECT_EQ(id, 0);
  EXPECT_EQ(store.HasCursor(), kOk);  // the cursor starts at the front
}

TEST(PhoneStateLiveTest, CommitCurrentCallPutsAnUnknownCallAtTheFrontWithItsDuration) {
  PhoneState store;
  store.AddHistoryCall(50, 0);
  FillCurrent(store, {12, 4, 1, 1, "bob.s", "Bob", 1000, 95});
  EXPECT_EQ(store.CommitCurrentCall(), kOk);
  EXPECT_EQ(HistoryIds(store), (std::vector<int>{12, 50}));

  const Shown shown = Show(store, 12, kBrowseDialled);
  EXPECT_EQ(shown.handle, "bob.s");
  EXPECT_EQ(shown.name, "Bob");
  EXPECT_EQ(shown.type, 1);
  EXPECT_EQ(shown.status, 4);
  EXPECT_EQ(shown.seen, 1);
  EXPECT_EQ(shown.duration, "00:01:35");

  int stillThere = 0;
  store.GetCurrentCallId(&stillThere);
  EXPECT_EQ(stillThere, 12) << "the commit leaves the live record to the caller's reset";
}

TEST(PhoneStateLiveTest, CommitOfAListedCallKeepsItsPlaceAndMarksItComplete) {
  PhoneState store;
  store.AddHistoryCall(5, 0);
  store.AddHistoryCall(12, 0);
  store.AddHistoryCall(6, 0);
  FillCurrent(store, {12, 4, 0, 1, "ann", "Ann", 1000, 20});
  store.CommitCurrentCall();
  EXPECT_EQ(HistoryIds(store), (std::vector<int>{5, 12, 6}));
  int flag = 0;
  store.GetHistoryHasDetails(12, &flag);
  EXPECT_EQ(flag, 1);
}

TEST(PhoneStateLiveTest, CommitSecondCallDropsTheDurationOfANewEntry) {
  PhoneState store;
  FillSecond(store, {21, 4, 0, 1, "carl", "Carl", 2000, 30});
  EXPECT_EQ(store.CommitSecondCall(), kOk);
  EXPECT_EQ(Show(store, 21, kBrowseReceived).duration, "00:00:00");
}

TEST(PhoneStateLiveTest, CommitSecondCallKeepsTheDurationAListedEntryHad) {
  PhoneState store;
  store.AddHistoryCall(21, 0);
  store.SetHistoryDuration(21, 61);
  FillSecond(store, {21, 4, 0, 1, "carl", "Carl", 2000, 30});
  store.CommitSecondCall();
  EXPECT_EQ(Show(store, 21, kBrowseReceived).duration, "00:01:01");
}

TEST(PhoneStateLiveTest, CommitStoresAnEmptyTextAsABareTerminator) {
  PhoneState store;
  FillCurrent(store, {12, 4, 1, 1, nullptr, nullptr, 1000, 5});
  store.CommitCurrentCall();
  store.SetBrowseMode(kBrowseDialled);
  store.ResetBrowse();
  int found = 0;
  ASSERT_EQ(store.BrowseStep(0, 0, &found), kOk);
  // The cursor getter copies the stored bare terminator: the buffer is cleared.
  char text[kTextBufferSize];
  std::memset(text, 'q', sizeof text);
  EXPECT_EQ(store.GetCursorExtraText(text), kOk);
  EXPECT_EQ(text[0], '\0');
}

TEST(PhoneStateLiveTest, ResetCurrentCallKeepsHasDetailsForTheNextCall) {
  PhoneState store;
  FillCurrent(store, {1, 4, 0, 1, "a", "Named", 1000, 5});
  store.CommitCurrentCall();
  store.ResetCurrentCall();

  int value = -2;
  store.GetCurrentCallId(&value);
  EXPECT_EQ(value, 0);
  store.GetCurrentCallType(&value);
  EXPECT_EQ(value, -1);
  store.GetCurrentSeen(&value);
  EXPECT_EQ(value, 1);
  store.GetCurrentDuration(&value);
  EXPECT_EQ(value, 0);
  char text[kTextBufferSize] = "untouched";
  store.GetCurrentDisplayName(text);
  EXPECT_STREQ(text, "untouched") << "an empty text copies nothing";

  // The next call never gets its display name, yet is committed as complete.
  store.SetCurrentCallId(2);
  store.SetCurrentCallType(0);
  store.CommitCurrentCall();
  int flag = 0;
  store.GetHistoryHasDetails(2, &flag);
  EXPECT_EQ(flag, 1);
}

TEST(PhoneStateLiveTest, ResetSecondCallKeepsDurationAndTimestamp) {
  PhoneState store;
  FillSecond(store, {21, 3, 0, 0, "carl", "Carl", 2000, 30});
  store.ResetSecondCall();
  int value = -2;
  store.GetSecondCallId(&value);
  EXPECT_EQ(value, 0);
  store.GetSecondCallStatus(&value);
  EXPECT_EQ(value, -1);
  store.GetSecondSeen(&value);
  EXPECT_EQ(value, 1);
  store.GetSecondDuration(&value);
  EXPECT_EQ(value, 30);
  char text[kTextBufferSize] = "untouched";
  store.GetSecondPartnerHandle(text);
  EXPECT_STREQ(text, "untouched");
}

TEST(PhoneStateLiveTest, PromoteSecondCallMovesEveryCallFieldAndLeavesTheSecond) {
  PhoneState store;
  FillCurrent(store, {1, 3, 0, 1, "first", "First", 100, 10});
  store.SetCurrentExtraText("old", 4);
  FillSecond(store, {2, 15, 3, 0, "second", "Second", 200, 20});
  EXPECT_EQ(store.PromoteSecondCall(), kOk);

  int value = 0;
  store.GetCurrentCallId(&value);
  EXPECT_EQ(value, 2);
  store.GetCurrentCallStatus(&value);
  EXPECT_EQ(value, 15);
  store.GetCurrentCallType(&value);
  EXPECT_EQ(value, 3);
  store.GetCurrentSeen(&value);
  EXPECT_EQ(value, 0);
  store.GetCurrentDuration(&value);
  EXPECT_EQ(value, 20);
  char text[kTextBufferSize] = {};
  store.GetCurrentPartnerHandle(text);
  EXPECT_STREQ(text, "second");
  std::memset(text, 0, sizeof text);
  store.GetCurrentDisplayName(text);
  EXPECT_STREQ(text, "Second");
  std::strcpy(text, "untouched");
  store.GetCurrentExtraText(text);
  EXPECT_STREQ(text, "untouched") << "the second call had no extra text";

  store.GetSecondCallId(&value);
  EXPECT_EQ(value, 2);

  // The promoted call commits with the second call's timestamp and duration.
  store.ResetSecondCall();
  store.CommitCurrentCall();
  EXPECT_EQ(Show(store, 2, kBrowseDialled).duration, "00:00:20");
}

TEST(PhoneStateLiveTest, SetCurrentDurationAlsoFormatsTheDurationText) {
  PhoneState store;
  store.SetCurrentDuration(3661);
  EXPECT_EQ(testing::ReadAll([&](char* c) { return store.ReadDurationTextChar(c); }), "01:01:01");
  store.SetSecondDuration(59);
  EXPECT_EQ(testing::ReadAll([&](char* c) { return store.ReadDurationTextChar(c); }), "01:01:01")
      << "the second call's duration formats no text";
}

TEST(PhoneStateLiveTest, LiveTextsAreBoundedToTheCallersBuffer) {
  PhoneState store;
  const std::string longName(600, 'n');
  store.SetCurrentDisplayName(longName.c_str(), static_cast<int>(longName.size()) + 1);
  char text[kTextBufferSize + 1];
  std::memset(text, '#', sizeof text);
  store.GetCurrentDisplayName(text);
  EXPECT_EQ(text[kTextBufferSize], '#');
  EXPECT_EQ(std::string(text), std::string(254, 'n'));
}

}  // namespace
}  // namespace tolvane
