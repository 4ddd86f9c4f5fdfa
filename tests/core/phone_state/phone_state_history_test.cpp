#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "phone_state/phone_state.h"
#include "phone_state_support.h"

namespace tolvane {
namespace {

using testing::AddListed;
using testing::HistoryIds;
using testing::WithTerminator;

TEST(PhoneStateHistoryTest, FlagZeroAppendsAndFlagOneGoesToTheFront) {
  PhoneState store;
  EXPECT_EQ(store.AddHistoryCall(7, 0), kOk);
  EXPECT_EQ(store.AddHistoryCall(8, 1), kOk);
  EXPECT_EQ(HistoryIds(store), (std::vector<int>{8, 7}));
  EXPECT_EQ(store.AddHistoryCall(9, 0), kOk);
  EXPECT_EQ(HistoryIds(store), (std::vector<int>{8, 7, 9}));
}

TEST(PhoneStateHistoryTest, DuplicateIsRefusedKeepsItsPlaceAndTakesTheFlag) {
  PhoneState store;
  store.AddHistoryCall(7, 0);
  store.AddHistoryCall(8, 1);
  store.AddHistoryCall(9, 0);
  EXPECT_EQ(store.AddHistoryCall(7, 1), kFail);
  EXPECT_EQ(HistoryIds(store), (std::vector<int>{8, 7, 9}));
  int flag = -1;
  store.GetHistoryHasDetails(7, &flag);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(store.AddHistoryCall(7, 0), kFail);
  store.GetHistoryHasDetails(7, &flag);
  EXPECT_EQ(flag, 0);
}

TEST(PhoneStateHistoryTest, GetHistoryCallIdOutsideTheHistoryFailsAndLeavesTheValue) {
  PhoneState store;
  store.AddHistoryCall(3, 0);
  for (int index : {-1, 1, 100}) {
    int id = 77;
    EXPECT_EQ(store.GetHistoryCallId(index, &id), kFail) << index;
    EXPECT_EQ(id, 77);
  }
}

TEST(PhoneStateHistoryTest, ByIdSettersOfAnUnknownCallFailAndChangeNothing) {
  PhoneState store;
  AddListed(store, 1, 0, 5);
  EXPECT_EQ(store.SetHistoryType(2, 1), kFail);
  EXPECT_EQ(store.SetHistoryStatus(2, 5), kFail);
  EXPECT_EQ(store.SetHistorySeen(2, 0), kFail);
  EXPECT_EQ(store.SetHistoryHasDetails(2, 1), kFail);
  EXPECT_EQ(store.SetHistoryDuration(2, 5), kFail);
  EXPECT_EQ(store.SetHistoryTimestamp(2, 5), kFail);
  EXPECT_EQ(store.SetHistoryAux1(2, 5), kFail);
  EXPECT_EQ(store.SetHistoryAux2(2, 5), kFail);
  EXPECT_EQ(store.SetHistoryDisplayName(2, "x", 2), kFail);
  EXPECT_EQ(store.SetHistoryPartnerHandle(2, "x", 2), kFail);
  EXPECT_EQ(store.SetHistoryExtraText(2, "x", 2), kFail);
  EXPECT_EQ(HistoryIds(store), (std::vector<int>{1}));
  EXPECT_EQ(store.HasHistoryCall(2), kFail);
}

TEST(PhoneStateHistoryTest, HasDetailsOfAnUnknownCallIsZeroAndSucceeds) {
  PhoneState store;
  int flag = 9;
  EXPECT_EQ(store.GetHistoryHasDetails(4, &flag), kOk);
  EXPECT_EQ(flag, 0);
}

TEST(PhoneStateHistoryTest, ClearHistoryForgetsEveryIdAndTheMissedCount) {
  PhoneState store;
  AddListed(store, 1, 0, 5);
  AddListed(store, 2, 2, 5);
  store.ClearHistory();
  int count = -1;
  store.GetHistoryCount(&count);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(store.HasHistoryCall(1), kFail);
  EXPECT_EQ(store.SetHistoryStatus(2, 3), kFail);
  store.CountUnseenMissedCalls(&count);
  EXPECT_EQ(count, 0);
  // Ids can be added again after the history was emptied.
  EXPECT_EQ(store.AddHistoryCall(1, 0), kOk);
  EXPECT_EQ(store.HasHistoryCall(1), kOk);
}

TEST(PhoneStateHistoryTest, UnseenMissedCountFollowsEveryChangeOfTypeStatusAndSeen) {
  struct Case {
    int type, status, seen;
    int counted;
  };
  const Case cases[] = {
      {0, 5, 0, 1}, {2, 5, 0, 1},   // incoming, missed, unseen
      {1, 5, 0, 0}, {3, 5, 0, 0},   // outgoing "missed" is not a missed call
      {0, 5, 1, 0},                 // seen
      {0, 4, 0, 0}, {-1, 5, 0, 0},  // finished; unknown type
  };
  for (const Case& c : cases) {
    PhoneState store;
    AddListed(store, 10, c.type, c.status, c.seen);
    int count = -1;
    store.CountUnseenMissedCalls(&count);
    EXPECT_EQ(count, c.counted) << c.type << "/" << c.status << "/" << c.seen;
  }

  PhoneState store;
  AddListed(store, 1, 0, 5);
  AddListed(store, 2, 2, 5);
  int count = -1;
  store.CountUnseenMissedCalls(&count);
  EXPECT_EQ(count, 2);
  store.SetHistorySeen(1, 1);  // the user saw it
  store.CountUnseenMissedCalls(&count);
  EXPECT_EQ(count, 1);
  store.SetHistoryStatus(2, 5);  // the same status again changes nothing
  store.CountUnseenMissedCalls(&count);
  EXPECT_EQ(count, 1);
  store.SetHistoryType(2, 3);
  store.CountUnseenMissedCalls(&count);
  EXPECT_EQ(count, 0);
}

TEST(PhoneStateHistoryTest, LookupsByIdStayRightAcrossFrontAndBackInsertions) {
  // Entries arrive in a mix of both orders and commits; every id must still
  // reach its own record afterwards.
  PhoneState store;
  for (int id = 1; id <= 300; ++id) store.AddHistoryCall(id, id % 3 == 0 ? 1 : 0);
  for (int id = 1; id <= 300; ++id) store.SetHistoryAux2(id, id * 10);
  store.SetCurrentCallId(1000);
  store.SetCurrentCallType(1);
  store.CommitCurrentCall();

  const std::vector<int> ids = HistoryIds(store);
  ASSERT_EQ(ids.size(), 301u);
  EXPECT_EQ(ids.front(), 1000);
  for (int id : ids) EXPECT_EQ(store.SetHistoryType(id, 3), kOk);

  // Walk the whole history with the cursor: the value set by id must be the
  // one found at that id's position.
  store.SetBrowseMode(kBrowseDialled);
  store.ResetBrowse();
  for (std::size_t index = 0; index < ids.size(); ++index) {
    int found = 0;
    ASSERT_EQ(store.BrowseStep(0, index == 0 ? 0 : 1, &found), kOk);
    EXPECT_EQ(found, ids[index]);
    int aux2 = -1;
    store.GetCursorAux2(&aux2);
    EXPECT_EQ(aux2, found == 1000 ? 0 : found * 10) << "at index " << index;
  }
}

TEST(PhoneStateHistoryTest, ManyCallsWithDetailRepliesLoadIntoTheirOwnEntries) {
  PhoneState store;
  constexpr int kCalls = 10000;
  for (int id = 1; id <= kCalls; ++id) store.AddHistoryCall(id, 0);
  for (int id = 1; id <= kCalls; ++id) {
    EXPECT_EQ(store.SetHistoryType(id, 0), kOk);
    EXPECT_EQ(store.SetHistoryStatus(id, id % 2 == 0 ? 5 : 4), kOk);
    EXPECT_EQ(store.AddHistoryCall(id, 1), kFail);
  }
  int count = 0;
  store.GetHistoryCount(&count);
  EXPECT_EQ(count, kCalls);
  store.CountUnseenMissedCalls(&count);
  EXPECT_EQ(count, kCalls / 2);
  int id = 0;
  store.GetHistoryCallId(kCalls - 1, &id);
  EXPECT_EQ(id, kCalls);
}

}  // namespace
}  // namespace tolvane
