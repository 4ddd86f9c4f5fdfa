// The missed-call message and the watch for the client's confirmation
// window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/dispatcher/dispatcher_rig.h"
#include "interfaces/handset_mode.h"
#include "interfaces/client_windows.h"

namespace tolvane::testing {
namespace {

using Effects = std::vector<std::string>;

// Unseen missed incoming calls in the history.
void AddMissed(DispatcherRig& rig, int count) {
  for (int id = 1; id <= count; ++id) {
    rig.phone.AddHistoryCall(id, 0);
    rig.phone.SetHistoryType(id, id % 2 == 0 ? 2 : 0);
    rig.phone.SetHistoryStatus(id, 5);
    rig.phone.SetHistorySeen(id, 0);
  }
}

struct MissedRow {
  const char* name;
  int missed;
  int refresh;
  const char* text;  // null: nothing shown
};

class ShowMissedCalls : public ::testing::TestWithParam<MissedRow> {};

TEST_P(ShowMissedCalls, ShowsTheCountOnTheHandset) {
  const MissedRow& row = GetParam();
  DispatcherRig rig;
  AddMissed(rig, row.missed);
  rig.handset.mode.store(kModeBrowseHistory | kModeHandleText);
  rig.Mark();
  rig.dispatcher.ShowMissedCalls(row.refresh);
  if (row.text == nullptr) {
    EXPECT_EQ(rig.Since({"renderer ShowText", "code ", "sleep ", "request status"}), Effects{"request status"});
    EXPECT_EQ(rig.handset.mode.load(), kModeBrowseHistory | kModeHandleText);
    return;
  }
  EXPECT_EQ(rig.Since({"renderer ShowText", "code ", "sleep ", "request status"}),
            (Effects{std::string("renderer ShowText ") + row.text, "sleep 20", "code 63"}));
  EXPECT_EQ(rig.handset.mode.load(), kModeMissedCalls | kModeRenderedText);
}

const MissedRow kMissedRows[] = {
    {"None", 0, 0, "No Missed Calls !"},
    {"NoneRefreshAsksForTheStatus", 0, 1, nullptr},
    {"One", 1, 0, "You have 1 missed call !"},
    {"OneOnRefresh", 1, 1, "You have 1 missed call !"},
    {"Two", 2, 0, "You have 2 missed calls !"},
    {"Several", 12, 1, "You have 12 missed calls !"},
};

INSTANTIATE_TEST_SUITE_P(Dispatcher, ShowMissedCalls, ::testing::ValuesIn(kMissedRows),
                         [](const ::testing::TestParamInfo<MissedRow>& param) {
                           return std::string(param.param.name);
                         });

TEST(DispatcherMissedCalls, SeenAndOutgoingMissedCallsAreNotCounted) {
  DispatcherRig rig;
  AddMissed(rig, 3);
  rig.phone.SetHistorySeen(1, 1);
  rig.phone.SetHistoryType(2, 1);
  rig.dispatcher.ShowMissedCalls(0);
  EXPECT_EQ(rig.log.Count("renderer ShowText You have 1 missed call !"), 1u);
}

TEST(DispatcherMissedCalls, NothingIsShownWithoutTheHandset) {
  DispatcherRig rig;
  rig.session.attached.store(false);
  AddMissed(rig, 2);
  rig.Mark();
  rig.dispatcher.ShowMissedCalls(0);
  EXPECT_TRUE(rig.Since({"renderer ShowText", "code ", "request status"}).empty());
  EXPECT_EQ(rig.handset.mode.load(), 0u);
}

TEST(DispatcherMissedCalls, MissedRingingCallEndsWithTheMessage) {
  DispatcherRig rig;
  AddMissed(rig, 1);
  rig.Feed({"CALL 7 STATUS RINGING"});
  rig.Mark();
  rig.Feed({"CALL 7 STATUS MISSED", "CALL 7 TYPE INCOMING_P2P", "CALL 7 SEEN FALSE", "CALL 7 TIMESTAMP 1765000000"});
  EXPECT_EQ(rig.Since({"code ", "renderer ShowText"}),
            (Effects{"code 32", "renderer ShowText You have 2 missed calls !", "code 63"}));
  EXPECT_EQ(rig.CurrentId(), 0);
}

class ConfirmationWatch : public ::testing::Test {
 protected:
  void Check(int times = 1) {
    for (int i = 0; i < times; ++i) rig.dispatcher.CheckConfirmationWindow();
  }
  DispatcherRig rig;
};

TEST_F(ConfirmationWatch, PromptIsSignalledOncePerAppearance) {
  Check();
  EXPECT_TRUE(rig.Effects().empty());
  rig.windows.Open(kClientConfirmationWindowClass);
  Check(3);
  EXPECT_EQ(rig.Effects(), (Effects{"wait idle", "code 159"}));
  rig.windows.Close(kClientConfirmationWindowClass);
  Check();
  rig.windows.Open(kClientConfirmationWindowClass);
  Check(2);
  EXPECT_EQ(rig.Effects(), (Effects{"wait idle", "code 159", "wait idle", "code 159"}));
}

TEST_F(ConfirmationWatch, NotDuringACall) {
  rig.MakeCurrent(10, 3);
  rig.Feed({"CALL 10 DURATION 5"});
  rig.windows.Open(kClientConfirmationWindowClass);
  Check();
  EXPECT_TRUE(rig.Effects().empty());
  // The call that was current for the last line has ended.
  rig.phone.ResetCurrentCall();
  rig.Feed({"AUTOAWAY OFF"});
  Check();
  EXPECT_EQ(rig.Effects(), (Effects{"wait idle", "code 159"}));
}

TEST_F(ConfirmationWatch, NotWhileTheDisplayIsBusy) {
  rig.windows.Open(kClientConfirmationWindowClass);
  for (const std::uint32_t busy : {kModeBrowseContacts, kModeBrowseHistory, kModeMissedCalls}) {
    rig.handset.mode.store(busy);
    Check();
  }
  EXPECT_TRUE(rig.Effects().empty());
  rig.handset.mode.store(kModeFocusedContact | kModeRenderedText);
  Check();
  EXPECT_EQ(rig.Effects(), (Effects{"wait idle", "code 159"}));
}

TEST_F(ConfirmationWatch, ErrorWindowAloneIsNotThePrompt) {
  rig.windows.Open(kClientErrorWindowClass);
  Check();
  EXPECT_TRUE(rig.Effects().empty());
}

}  // namespace
}  // namespace tolvane::testing
