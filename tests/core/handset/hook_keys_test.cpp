// The hook keys: off-hook answers, on-hook closes the client's prompt or
// ends the call the two calls' states point to, and may hide the client.
#include "interfaces/handset_codes.h"
#include "interfaces/handset_mode.h"
#include "key_fixture.h"

namespace tolvane::testing {
namespace {

constexpr int kA = 1000;  // current call
constexpr int kB = 1001;  // second call
const std::string kFinishA = Line("SET CALL  1000 STATUS FINISHED");
const std::string kFinishB = Line("SET CALL  1001 STATUS FINISHED");
const std::string kNo = Line("BTN_RELEASED NO");
const std::string kHookOn = Line("HOOK ON");
const std::string kHide = "windows CloseMainWindow";

struct HookDownRow {
  int a, sa, b, sb;
  std::string text;
  bool hide;
};

TEST_F(KeyTest, HookDownSendsTheLineTheCallsPointToAndHidesTheClientWhereItSays) {
  const HookDownRow rows[] = {
      // Routing, ringing or early media here.
      {kA, 2, kB, 17, kFinishB, false},
      {kA, 23, kB, 0, kFinishB, false},
      {kA, 0, 0, -1, kNo, false},
      {kA, 2, kB, 3, kNo, false},
      // Voicemail.
      {kA, 18, kB, 2, kFinishB, false},
      {0, 18, kB, 2, kNo, false},
      {kA, 21, 0, -1, kFinishA, true},
      {0, 19, 0, -1, kNo, true},
      // Voicemail redirect.
      {kA, 22, kB, 22, kFinishB, false},
      {kA, 22, kB, 23, kHookOn, true},
      // In progress.
      {kA, 3, kB, 2, kFinishA, true},
      {kA, 3, kB, 23, kFinishA, true},
      {kA, 3, 0, -1, kHookOn, true},
      {kA, 3, kB, 15, kHookOn, true},
      // On hold, and anything else.
      {kA, 15, kB, 3, kHookOn, false},
      {kA, 15, kB, 2, kHookOn, false},
      {kA, 15, 0, -1, kFinishA, true},
      {kA, 4, 0, -1, kFinishA, true},
      {0, -1, 0, -1, kNo, true},
  };
  handset->Settings().SupportHideWindows = 1;
  for (const HookDownRow& row : rows) {
    SCOPED_TRACE(::testing::Message() << "sa " << row.sa << " sb " << row.sb << " a " << row.a << " b " << row.b);
    log.Clear();
    SetCalls(row.a, row.sa, row.b, row.sb);
    handset->SetMode(kModeBrowseHistory);
    EXPECT_EQ(handset->ExecuteKeyCommand(kKeyHookDown), 1);
    EventLog::Events expected = {row.text};
    if (row.hide) expected.push_back(kHide);
    EXPECT_EQ(Sent(), expected);
    // Browsing ends before the line goes.
    EXPECT_EQ(log.MatchingAny({"contacts ResetContactBrowse", "phone ResetBrowse", "send"}),
              (EventLog::Events{"contacts ResetContactBrowse", "phone ResetBrowse", row.text}));
    EXPECT_EQ(handset->Mode(), 0u);
  }
}

TEST_F(KeyTest, HookDownLeavesTheClientShownWhenHidingIsOff) {
  handset->Settings().SupportHideWindows = 0;
  SetCalls(kA, 3);
  handset->ExecuteKeyCommand(kKeyHookDown);
  EXPECT_EQ(Sent(), (EventLog::Events{kHookOn}));
}

TEST_F(KeyTest, HookDownAnswersTheClientsPromptInsteadOfEndingTheCall) {
  struct Case {
    std::vector<const char*> open;
    const char* closed;
  };
  const Case cases[] = {
      {{kClientConfirmationWindowClass, kClientErrorWindowClass}, kClientConfirmationWindowClass},
      {{kClientErrorWindowClass}, kClientErrorWindowClass},
  };
  windows.selectedPage = kSkypeDialPage;
  windows.gridVisible = true;
  for (const Case& c : cases) {
    log.Clear();
    for (const char* name : c.open) windows.Open(name);
    SetCalls(kA, 3);
    EXPECT_EQ(handset->ExecuteKeyCommand(kKeyHookDown), 1);
    EXPECT_EQ(log.MatchingAny({"send", "windows", "pause"}),
              (EventLog::Events{std::string("windows ActivateAndClose ") + c.closed, Paused(30), kNo,
                                "windows ClickDialGrid"}));
  }
}

TEST_F(KeyTest, HookDownWithTheClientGoneRediscoversIt) {
  transport.SetAttached(false);
  SetCalls(kA, 3);
  EXPECT_EQ(handset->ExecuteKeyCommand(kKeyHookDown), 0);
  EXPECT_EQ(log.Count("link RunSessionAction 1"), 1u);
}

TEST_F(KeyTest, HookUpAnswersTheCurrentCallElseTheOtherAndEndsBrowsing) {
  struct Row {
    int a, sa, b;
    EventLog::Events sent;
  };
  const Row rows[] = {
      {kA, 2, 0, {Line("SET CALL  1000 STATUS INPROGRESS")}},
      {7, 15, kB, {Line("SET CALL     7 STATUS INPROGRESS")}},
      {0, -1, kB, {Line("HOOK OFF")}},
      {0, -1, 0, {}},
  };
  for (const Row& row : rows) {
    log.Clear();
    SetCalls(row.a, row.sa, row.b, 2);
    handset->SetMode(kModeBrowseContacts);
    EXPECT_EQ(handset->ExecuteKeyCommand(kKeyHookUp), 1);
    EXPECT_EQ(Sent(), row.sent) << row.a;
    EXPECT_EQ(handset->Mode(), 0u);
  }
}

TEST_F(KeyTest, HookKeysTakeTheScreenOffTheHandsetBeforeTheyAct) {
  phone.durationText.Set("1234567890");
  // The screen is held in its stream until the stop request has come.
  pacing.onWait = [&, held = false](std::chrono::milliseconds d) mutable {
    if (d.count() == 1 && !held) {
      held = true;
      log.Add("held");
      log.WaitFor("renderer CancelDisplay 1");
    }
  };
  handset->SetMode(kModeDuration);
  RequestScreen();
  ASSERT_TRUE(log.WaitFor("held"));
  SetCalls(kA, 2);
  handset->ExecuteKeyCommand(kKeyHookUp);
  const EventLog::Events order = log.MatchingAny({"renderer CancelDisplay", "send"});
  EXPECT_EQ(order, (EventLog::Events{"renderer CancelDisplay 1", "renderer CancelDisplay 0",
                                     Line("SET CALL  1000 STATUS INPROGRESS")}));
}

}  // namespace
}  // namespace tolvane::testing
