// Loading the call history from the client: the CALLS reply's reload rules,
// the history-loaded cycle, and the refusal of a ring while it is not loaded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/dispatcher/dispatcher_rig.h"

namespace tolvane::testing {
namespace {

using Effects = std::vector<std::string>;

Effects Queries(std::initializer_list<int> ids) {
  Effects all;
  for (const int id : ids) {
    const std::string call = "cmd GET CALL " + std::to_string(id);
    all.insert(all.end(), {call + " TYPE", call + " STATUS", call + " SEEN"});
  }
  return all;
}

Effects Cat(Effects a, const Effects& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(DispatcherHistory, EmptyHistoryIsLoadedAtOnceInTheClientsOrder) {
  DispatcherRig rig;
  rig.session.historyLoaded.store(false);
  rig.Feed({"CALLS 12, 34,56"});
  EXPECT_EQ(rig.HistoryIds(), (std::vector<int>{12, 34, 56}));
  EXPECT_EQ(rig.Effects(),
            Cat(Queries({12, 34, 56}), {"history loaded 1", "cmd GET PRIVILEGE SKYPEOUT"}));
}

TEST(DispatcherHistory, LastListedCallsSeenReplySignalsTheHandset) {
  DispatcherRig rig;
  rig.Feed({"CALLS 12, 34", "CALL 12 SEEN TRUE"});
  rig.Mark();
  rig.Feed({"CALL 34 SEEN FALSE", "CALL 34 SEEN FALSE"});
  // Once only: the reload is over.
  EXPECT_EQ(rig.Effects(), (Effects{"history loaded 1", "handset ready"}));
}

TEST(DispatcherHistory, LongerListLeavesTheHistoryAsItIs) {
  DispatcherRig rig;
  for (int id : {1, 2, 3}) rig.AddHistory(id);
  rig.Mark();
  rig.Feed({"CALLS 5, 6, 7, 8, 9"});
  EXPECT_EQ(rig.HistoryIds(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(rig.Effects(), Effects{"cmd GET PRIVILEGE SKYPEOUT"});
  EXPECT_TRUE(rig.session.historyLoaded.load());
}

TEST(DispatcherHistory, ListOfTheSameLengthLeavesTheHistoryAsItIs) {
  DispatcherRig rig;
  for (int id : {1, 2, 3}) rig.AddHistory(id);
  rig.Feed({"CALLS 7, 8, 9"});
  EXPECT_EQ(rig.HistoryIds(), (std::vector<int>{1, 2, 3}));
}

TEST(DispatcherHistory, ShorterListRebuildsTheHistoryAndWaitsForTheLastSeenReply) {
  DispatcherRig rig;
  for (int id : {1, 2, 3, 4, 5}) rig.AddHistory(id);
  rig.Mark();
  rig.Feed({"CALLS 7, 8, 9"});
  EXPECT_EQ(rig.HistoryIds(), (std::vector<int>{7, 8, 9}));
  EXPECT_EQ(rig.Effects(), Cat(Queries({7, 8, 9}), {"history loaded 0", "cmd GET PRIVILEGE SKYPEOUT"}));
  EXPECT_FALSE(rig.session.historyLoaded.load());

  rig.Mark();
  rig.Feed({"CALL 7 SEEN TRUE", "CALL 8 SEEN TRUE"});
  EXPECT_FALSE(rig.session.historyLoaded.load());
  rig.Feed({"CALL 9 SEEN TRUE"});
  EXPECT_TRUE(rig.session.historyLoaded.load());
  EXPECT_EQ(rig.Effects(), (Effects{"history loaded 1", "handset ready"}));
}

// The client emptied its list while ours held calls: there is no SEEN reply
// to wait for, and an unloaded history would refuse the next incoming call.
TEST(DispatcherHistory, EmptyListEmptiesAHeldHistoryAndCountsAsLoaded) {
  DispatcherRig rig;
  for (int id : {1, 2}) rig.AddHistory(id);
  rig.session.historyLoaded.store(false);
  rig.Feed({"CALLS"});
  EXPECT_TRUE(rig.HistoryIds().empty());
  EXPECT_TRUE(rig.session.historyLoaded.load());
  rig.Mark();
  rig.Feed({"CALL 5 STATUS RINGING"});
  EXPECT_EQ(rig.CurrentId(), 5);
  EXPECT_EQ(rig.Since({"queue "}), Effects{});
}

TEST(DispatcherHistory, ChangeClearsTheHistoryAndAsksForTheList) {
  DispatcherRig rig;
  for (int id : {1, 2}) rig.AddHistory(id);
  rig.Mark();
  rig.Feed({"CALLHISTORYCHANGED"});
  EXPECT_TRUE(rig.HistoryIds().empty());
  EXPECT_EQ(rig.Effects(), (Effects{"history loaded 0", "cmd SEARCH CALLS"}));
}

TEST(DispatcherHistory, RingRightAfterAChangeIsRefusedAndTheNextIsTaken) {
  DispatcherRig rig;
  rig.Feed({"CALLHISTORYCHANGED"});
  rig.Mark();
  rig.Feed({"CALL 7 STATUS RINGING"});
  EXPECT_EQ(rig.CurrentId(), 0);
  EXPECT_EQ(rig.Effects(), (Effects{"queue SET CALL     7 STATUS FINISHED", "history loaded 1"}));

  rig.Mark();
  rig.Feed({"CALL 8 STATUS RINGING"});
  EXPECT_EQ(rig.CurrentId(), 8);
  EXPECT_EQ(rig.Effects(), (Effects{"code 158", "cmd GET CALL 8 PARTNER_DISPNAME"}));
}

TEST(DispatcherHistory, FocusedContactIsNotShownWhileTheHistoryIsReloaded) {
  DispatcherRig rig;
  rig.handset.Settings().SupportContactFocus.store(1);
  rig.Feed({"CALLHISTORYCHANGED"});
  rig.session.pendingContacts.store(1);  // counted when it was queued
  rig.Mark();
  rig.Feed({"CONTACTS FOCUSED alice"});
  EXPECT_EQ(rig.Effects(), Effects{"sleep 200"});
}

}  // namespace
}  // namespace tolvane::testing
