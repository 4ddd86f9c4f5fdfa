#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "phone_state/phone_state.h"
#include "phone_state_support.h"

namespace tolvane {
namespace {

using testing::AddListed;
using testing::WithTerminator;

// A history with every kind of entry, ids by index: 100 + index.
//   0 incoming P2P finished   1 outgoing P2P finished  2 incoming PSTN missed
//   3 outgoing PSTN missed    4 incoming PSTN finished 5 incoming P2P missed
//   6 unknown type
void FillMixedHistory(PhoneState& store) {
  const int kinds[][2] = {{0, 4}, {1, 4}, {2, 5}, {3, 5}, {2, 4}, {0, 5}, {-1, 4}};
  int id = 100;
  for (const auto& kind : kinds) AddListed(store, id++, kind[0], kind[1]);
}

// Every id a mode visits, stepping forward from a reset and then backward.
struct Walk {
  std::vector<int> forward, backward;
};

Walk WalkMode(PhoneState& store, int mode) {
  store.SetBrowseMode(mode);
  store.ResetBrowse();
  Walk walk;
  int id = 0;
  if (store.BrowseStep(0, 0, &id) != kOk) return walk;
  walk.forward.push_back(id);
  for (int guard = 0; guard < 20 && store.BrowseStep(0, 1, &id) == kOk; ++guard) {
    if (id == walk.forward.back()) break;  // the last entry is selected again
    walk.forward.push_back(id);
  }
  walk.backward.push_back(id);
  for (int guard = 0; guard < 20 && store.BrowseStep(1, 1, &id) == kOk; ++guard) {
    walk.backward.push_back(id);
  }
  return walk;
}

TEST(PhoneStateBrowseTest, EachModeVisitsItsOwnKindOfEntryInBothDirections) {
  struct Case {
    int mode;
    std::vector<int> forward;
  };
  const Case cases[] = {
      {kBrowseReceived, {100, 104}},
      {kBrowseDialled, {101, 103}},  // an outgoing "missed" call is a dialled one
      {kBrowseMissed, {102, 105}},
  };
  for (const Case& c : cases) {
    PhoneState store;
    FillMixedHistory(store);
    const Walk walk = WalkMode(store, c.mode);
    EXPECT_EQ(walk.forward, c.forward) << "mode " << c.mode;
    EXPECT_EQ(walk.backward, std::vector<int>(c.forward.rbegin(), c.forward.rend())) << "mode " << c.mode;
  }
}

TEST(PhoneStateBrowseTest, UnknownModeSelectsNothingAndSaysSo) {
  PhoneState store;
  FillMixedHistory(store);
  store.ResetBrowse();
  int id = 0;
  ASSERT_EQ(store.BrowseStep(0, 0, &id), kOk);
  store.RefreshSelected(id);
  char c = 0;
  ASSERT_EQ(store.ReadSelectedHandleChar(&c), kFail);  // no handle: at its end

  store.SetBrowseMode(3);
  int out = 4242;
  EXPECT_EQ(store.BrowseStep(0, 0, &out), kFail);
  EXPECT_EQ(out, 4242) << "the caller's value is not written";
  EXPECT_EQ(store.BrowseStep(1, 1, &out), kFail);
  EXPECT_EQ(out, 4242);
  EXPECT_EQ(store.HasCursor(), kOk) << "the cursor stays on the last selection";

  // Back in a known mode the selection is where it was.
  store.SetBrowseMode(kBrowseReceived);
  EXPECT_EQ(store.BrowseStep(0, 0, &out), kOk);
  EXPECT_EQ(out, id);
}

TEST(PhoneStateBrowseTest, EmptyHistoryFailsWithoutChangingTheCursor) {
  PhoneState store;
  store.ResetBrowse();
  int id = 7;
  EXPECT_EQ(store.BrowseStep(0, 0, &id), kFail);
  EXPECT_EQ(id, 7);
  EXPECT_EQ(store.HasCursor(), kOk);
}

TEST(PhoneStateBrowseTest, FailedStepReturnsTheCursorToTheLastSelection) {
  // Six entries; the only missed incoming call is at index 3.
  PhoneState store;
  AddListed(store, 1, 0, 4);
  AddListed(store, 2, 1, 4);
  AddListed(store, 3, 0, 4);
  AddListed(store, 4, 2, 5);
  AddListed(store, 5, 1, 4);
  AddListed(store, 6, 0, 4);
  store.ResetBrowse();
  store.SetBrowseMode(kBrowseMissed);
  int id = 0;
  ASSERT_EQ(store.BrowseStep(0, 0, &id), kOk);
  EXPECT_EQ(id, 4);
  int aux1 = 0;

  id = 0;
  EXPECT_EQ(store.BrowseStep(0, 1, &id), kFail);
  EXPECT_EQ(id, 0);
  // The cursor is back on index 3: the cursor getters read that entry.
  store.SetHistoryAux1(4, 44);
  EXPECT_EQ(store.GetCursorAux1(&aux1), kOk);
  EXPECT_EQ(aux1, 44);
  // And a step without advance selects it again.
  ASSERT_EQ(store.BrowseStep(0, 0, &id), kOk);
  EXPECT_EQ(id, 4);

  // Backward from index 3 finds nothing either and comes back to 3.
  EXPECT_EQ(store.BrowseStep(1, 1, &id), kFail);
  EXPECT_EQ(store.GetCursorAux1(&aux1), kOk);
  EXPECT_EQ(aux1, 44);
}

TEST(PhoneStateBrowseTest, FailedStepWithNoSelectionLeavesNoPositionThenScansFromTheFront) {
  PhoneState store;
  AddListed(store, 1, 1, 4);
  AddListed(store, 2, 1, 4);
  store.ResetBrowse();
  store.SetBrowseMode(kBrowseMissed);
  int id = 0;
  EXPECT_EQ(store.BrowseStep(0, 0, &id), kFail);
  EXPECT_EQ(store.HasCursor(), kFail);
  int aux = 0;
  EXPECT_EQ(store.GetCursorAux2(&aux), kFail);
  char text[kTextBufferSize] = "keep";
  EXPECT_EQ(store.GetCursorExtraText(text), kFail);
  EXPECT_STREQ(text, "keep");

  // A missed call arrives at the front; the next forward step starts there.
  store.AddHistoryCall(9, 1);
  store.SetHistoryType(9, 0);
  store.SetHistoryStatus(9, 5);
  EXPECT_EQ(store.BrowseStep(0, 1, &id), kOk);
  EXPECT_EQ(id, 9);
}

TEST(PhoneStateBrowseTest, StepFromTheLastEntrySelectsItAgain) {
  PhoneState store;
  AddListed(store, 1, 0, 4);
  AddListed(store, 2, 0, 4);
  store.ResetBrowse();
  int id = 0;
  store.BrowseStep(0, 0, &id);
  store.BrowseStep(0, 1, &id);
  ASSERT_EQ(id, 2);
  id = 0;
  EXPECT_EQ(store.BrowseStep(0, 1, &id), kOk);
  EXPECT_EQ(id, 2);
}

TEST(PhoneStateBrowseTest, BackwardStepFromTheFrontScansNothing) {
  PhoneState store;
  AddListed(store, 1, 0, 4);
  store.ResetBrowse();
  int id = 0;
  EXPECT_EQ(store.BrowseStep(1, 1, &id), kFail);
  EXPECT_EQ(id, 0);
  EXPECT_EQ(store.HasCursor(), kFail);
}

TEST(PhoneStateBrowseTest, BackwardStepAfterTheHistoryShrankStaysInsideIt) {
  // The user had browsed deep into a long history; the history is then
  // reloaded shorter. Stepping back must start from the last entry that
  // exists rather than read past the end.
  PhoneState store;
  for (int id = 1; id <= 10; ++id) AddListed(store, id, 0, 4);
  store.ResetBrowse();
  int id = 0;
  store.BrowseStep(0, 0, &id);
  for (int i = 0; i < 9; ++i) store.BrowseStep(0, 1, &id);
  ASSERT_EQ(id, 10);

  // Committed calls go to the front, so the stale positions behind the new
  // entries are exactly the ones an unclamped step would read.
  store.ClearHistory();
  for (int fresh = 23; fresh >= 21; --fresh) {
    store.AddHistoryCall(fresh, 1);
    store.SetHistoryType(fresh, 0);
  }
  EXPECT_EQ(store.BrowseStep(1, 1, &id), kOk);
  EXPECT_EQ(id, 23);
  EXPECT_EQ(store.BrowseStep(1, 1, &id), kOk);
  EXPECT_EQ(id, 22);
}

TEST(PhoneStateBrowseTest, RefreshSelectedFillsTheViewOnlyForTheEntryUnderTheCursor) {
  PhoneState store;
  AddListed(store, 1, 0, 4);
  AddListed(store, 2, 0, 4);
  store.SetHistoryPartnerHandle(1, "one", 4);
  store.SetHistoryDisplayName(1, "One", 4);
  store.SetHistoryPartnerHandle(2, "two", 4);
  store.ResetBrowse();
  int id = 0;
  store.BrowseStep(0, 0, &id);
  ASSERT_EQ(id, 1);

  char text[kTextBufferSize] = {};
  EXPECT_EQ(store.RefreshSelected(2), kOk);  // not the selected call
  EXPECT_EQ(store.GetSelectedPartnerHandle(text), kFail) << "details not shown yet";
  EXPECT_EQ(store.GetSelectedDisplayName(text), kFail);

  EXPECT_EQ(store.RefreshSelected(1), kOk);
  EXPECT_EQ(store.GetSelectedPartnerHandle(text), kOk);
  EXPECT_STREQ(text, "one");
  EXPECT_EQ(store.GetSelectedDisplayName(text), kOk);
  EXPECT_STREQ(text, "One");

  // A call committed at the front shifts the entries: the cursor's index now
  // holds another call, so a refresh for the selected id changes nothing.
  store.SetHistoryDisplayName(1, "Changed", 8);
  store.AddHistoryCall(3, 1);
  store.RefreshSelected(1);
  EXPECT_EQ(store.GetSelectedDisplayName(text), kOk);
  EXPECT_STREQ(text, "One");
}

TEST(PhoneStateBrowseTest, ClearSelectionShowsAnEmptyEntryOfTheOpenListsKind) {
  struct Case {
    int mode;
    int type, status;
  };
  const Case cases[] = {{kBrowseReceived, 0, -1}, {kBrowseDialled, 1, -1}, {kBrowseMissed, 0, 5}, {7, -1, -1}};
  for (const Case& c : cases) {
    PhoneState store;
    store.ResetBrowse();
    store.SetBrowseMode(c.mode);
    EXPECT_EQ(store.ClearSelectionForMode(), kOk);
    int type = 9, status = 9;
    store.GetSelectedType(&type);
    store.GetSelectedStatus(&status);
    EXPECT_EQ(type, c.type) << "mode " << c.mode;
    EXPECT_EQ(status, c.status) << "mode " << c.mode;
    char text[kTextBufferSize];
    EXPECT_EQ(store.GetSelectedDisplayName(text), kFail);
    char c2 = 0;
    EXPECT_EQ(store.ReadTimestampTextChar(&c2), kFail);
  }
}

TEST(PhoneStateBrowseTest, HandleReaderStaysAtTheEndUntilTheNextStep) {
  PhoneState store;
  AddListed(store, 1, 0, 4);
  store.SetHistoryPartnerHandle(1, "ab", 3);
  store.ResetBrowse();
  int id = 0;
  store.BrowseStep(0, 0, &id);
  store.RefreshSelected(1);
  char c = 0;
  EXPECT_EQ(store.ReadSelectedHandleChar(&c), kOk);
  EXPECT_EQ(c, 'a');
  EXPECT_EQ(store.ReadSelectedHandleChar(&c), kOk);
  EXPECT_EQ(c, 'b');
  EXPECT_EQ(store.ReadSelectedHandleChar(&c), kFail);
  EXPECT_EQ(store.ReadSelectedHandleChar(&c), kFail) << "does not start over by itself";
  store.BrowseStep(0, 0, &id);
  EXPECT_EQ(store.ReadSelectedHandleChar(&c), kOk);
  EXPECT_EQ(c, 'a');
}

TEST(PhoneStateBrowseTest, HandleReaderPastAClearedHandleReadsNothing) {
  // Reading stopped in the middle of a long handle; the view is then cleared
  // for an empty list without a new step. The reader must report the end
  // instead of walking on through the cleared bytes and beyond.
  PhoneState store;
  AddListed(store, 1, 0, 4);
  const std::string handle(200, 'h');
  store.SetHistoryPartnerHandle(1, handle.c_str(), WithTerminator(handle.c_str()));
  store.ResetBrowse();
  int id = 0;
  store.BrowseStep(0, 0, &id);
  store.RefreshSelected(1);
  char c = 0;
  for (int i = 0; i < 100; ++i) ASSERT_EQ(store.ReadSelectedHandleChar(&c), kOk);
  store.ClearSelectionForMode();
  for (int i = 0; i < 300; ++i) EXPECT_EQ(store.ReadSelectedHandleChar(&c), kFail);
}

TEST(PhoneStateBrowseTest, OversizedHistoryTextsReachTheViewCut) {
  PhoneState store;
  AddListed(store, 1, 0, 4);
  const std::string name(1000, 'd');
  store.SetHistoryDisplayName(1, name.c_str(), static_cast<int>(name.size()) + 1);
  store.SetHistoryPartnerHandle(1, name.c_str(), static_cast<int>(name.size()) + 1);
  store.ResetBrowse();
  int id = 0;
  store.BrowseStep(0, 0, &id);
  store.RefreshSelected(1);
  char text[kTextBufferSize + 1];
  std::memset(text, '#', sizeof text);
  EXPECT_EQ(store.GetSelectedDisplayName(text), kOk);
  EXPECT_EQ(text[kTextBufferSize], '#');
  EXPECT_EQ(std::strlen(text), 254u);
  EXPECT_EQ(testing::ReadAll([&](char* c) { return store.ReadSelectedHandleChar(c); }).size(), 254u);
}

}  // namespace
}  // namespace tolvane
