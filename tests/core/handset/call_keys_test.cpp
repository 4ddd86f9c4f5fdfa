// The call keys besides the hook: send, hold, clear, the keypad, the scroll
// keys and the client's Skype button, and the key commands of two threads
// running one after the other.
#include <thread>

#include "interfaces/handset_codes.h"
#include "interfaces/handset_mode.h"
#include "key_fixture.h"

namespace tolvane::testing {
namespace {

struct SendRow {
  const char* name;
  std::uint32_t mode;
  int a, sa, b, sb;
  EventLog::Events sent;
  std::uint32_t modeAfter;
};

TEST_F(KeyTest, SendCallsTheBrowsedEntryResumesOrHoldsAndAnswersElsePressesYes) {
  contacts.selectedHandle = "alice.example";
  const SendRow rows[] = {
      {"browsed contact", kModeBrowseContacts, 0, -1, 0, -1, {Line("CALL alice.example")}, 0},
      {"history entry without a handle yet", kModeBrowseHistory, 0, -1, 0, -1, {}, kModeBrowseHistory},
      {"on hold", 0, 7, 15, 0, -1, {Line("SET CALL     7 STATUS INPROGRESS")}, 0},
      {"second call rings",
       0, 7, 3, 8, 2,
       {Line("SET CALL     7 STATUS ONHOLD"), Line("SET CALL     8 STATUS INPROGRESS")}, 0},
      {"second call in early media",
       0, 7, 3, 8, 23,
       {Line("SET CALL     7 STATUS ONHOLD"), Line("SET CALL     8 STATUS INPROGRESS")}, 0},
      {"ringing here", 0, 7, 2, 0, -1, {Line("BTN_RELEASED YES")}, 0},
      {"in progress alone", 0, 7, 3, 0, -1, {Line("BTN_RELEASED YES")}, 0},
      {"no call", 0, 0, -1, 0, -1, {Line("BTN_RELEASED YES")}, 0},
  };
  for (const SendRow& row : rows) {
    log.Clear();
    SetCalls(row.a, row.sa, row.b, row.sb);
    handset->SetMode(row.mode);
    EXPECT_EQ(handset->ExecuteKeyCommand(kKeySend), 1) << row.name;
    EXPECT_EQ(Sent(), row.sent) << row.name;
    EXPECT_EQ(handset->Mode(), row.modeAfter) << row.name;
  }
  log.Clear();
  phone.selectedPartnerHandle = "bob.example";
  handset->SetMode(kModeBrowseHistory);
  handset->ExecuteKeyCommand(kKeySend);
  EXPECT_EQ(Sent(), (EventLog::Events{Line("CALL bob.example")}));
}

TEST_F(KeyTest, ARefusedHoldLeavesTheSecondCallRinging) {
  SetCalls(7, 3, 8, 2);
  transport.RefuseLine("SET CALL     7 STATUS ONHOLD");
  EXPECT_EQ(handset->ExecuteKeyCommand(kKeySend), 0);
  EXPECT_EQ(log.MatchingAny({"send", "link"}),
            (EventLog::Events{"send-refused SET CALL     7 STATUS ONHOLD", "link RunSessionAction 1"}));
}

TEST_F(KeyTest, HoldPutsTheCallInProgressOnHoldAndResumesOne) {
  const struct {
    int a, sa;
    EventLog::Events sent;
  } rows[] = {
      {7, 3, {Line("SET CALL     7 STATUS ONHOLD")}},
      {7, 15, {Line("SET CALL     7 STATUS INPROGRESS")}},
      {7, 2, {}},
      {0, 3, {}},
  };
  for (const auto& row : rows) {
    log.Clear();
    SetCalls(row.a, row.sa);
    handset->ExecuteKeyCommand(kKeyHold);
    EXPECT_EQ(Sent(), row.sent) << row.a << " " << row.sa;
  }
}

TEST_F(KeyTest, KeypadSendsATonePlusAQueuedPressDuringACallElseThePress) {
  const struct {
    int key, a, sa;
    EventLog::Events events;
  } rows[] = {
      {181, 7, 3, {Line("FOCUS"), Line("SET CALL 7 DTMF 5"), "link QueueCommand BTN_RELEASED 5"}},
      {186, 7, 23, {Line("FOCUS"), Line("SET CALL 7 DTMF *"), "link QueueCommand BTN_RELEASED *"}},
      {187, 7, 2, {Line("FOCUS"), Line("BTN_RELEASED #")}},
      {176, 0, -1, {Line("FOCUS"), Line("BTN_RELEASED 0")}},
  };
  std::uint8_t n = 1;
  for (const auto& row : rows) {
    log.Clear();
    SetCalls(row.a, row.sa);
    Feed({MakeReport(row.key, n)}, Ack(n));
    n = static_cast<std::uint8_t>((n + 1) % 4);
    EXPECT_EQ(log.MatchingAny({"send", "link"}), row.events) << row.key;
  }
}

TEST_F(KeyTest, ClientButtonsAndTheirClicksOnTheClientsWindows) {
  const struct {
    const char* name;
    int key;
    int focusAddressBook, page;
    bool grid;
    EventLog::Events events;
  } rows[] = {
      {"up, contacts page not shown", kKeyUp, 1, 1, false,
       {Line("FOCUS"), "windows ClickPageControl", Line("BTN_RELEASED UP")}},
      {"down, contacts page shown", kKeyDown, 1, 0, false, {Line("FOCUS"), Line("BTN_RELEASED DOWN")}},
      {"up, option off", kKeyUp, 0, 1, false, {Line("FOCUS"), Line("BTN_RELEASED UP")}},
      {"clear on the dial page", kKeyClear, 0, 2, true, {Line("BTN_RELEASED NO"), "windows ClickDialGrid"}},
      {"clear, grid hidden", kKeyClear, 0, 2, false, {Line("BTN_RELEASED NO")}},
      {"clear, other page", kKeyClear, 0, 1, true, {Line("BTN_RELEASED NO")}},
      {"skype button", kKeyRight, 0, 2, true,
       {"windows RefindWindows", Line("BTN_RELEASED SKYPE"), "windows ClickDialGrid"}},
      {"backspace", kKeyBackspace, 0, 0, false, {Line("FOCUS"), "windows PressBackspace"}},
      {"close the client", kKeyCloseSkype, 0, 0, false, {"windows CloseMainWindow"}},
  };
  std::uint8_t n = 1;
  for (const auto& row : rows) {
    log.Clear();
    handset->Settings().SupportFocusAddressBook = row.focusAddressBook;
    windows.selectedPage = row.page;
    windows.gridVisible = row.grid;
    Feed({MakeReport(row.key, n)}, Ack(n));
    n = static_cast<std::uint8_t>((n + 1) % 4);
    EXPECT_EQ(Sent(), row.events) << row.name;
  }
}

TEST_F(KeyTest, ARefusedSkypeButtonClicksNothing) {
  windows.selectedPage = 2;
  windows.gridVisible = true;
  transport.RefuseLine("BTN_RELEASED SKYPE");
  EXPECT_EQ(handset->ExecuteKeyCommand(kKeyRight), 0);
  EXPECT_EQ(log.Count("windows ClickDialGrid"), 0u);
}

// The main window's hook-down (on removal) while the report thread's send
// key is between its hold and its answer: the hook-down reads the calls only
// once the send key has sent both lines.
TEST_F(KeyTest, KeyCommandsOfTwoThreadsDoNotInterleave) {
  SetCalls(7, 3, 8, 2);
  std::thread other;
  transport.beforeSend = [&](std::string_view line) {
    if (line != "SET CALL     7 STATUS ONHOLD") return;
    other = std::thread([&] { handset->ExecuteKeyCommand(kKeyHookDown); });
    // Were the two not serialised, the hook-down would read the calls now.
    // (The send key itself has read them twice: at its start and for the hold.)
    EXPECT_FALSE(log.WaitForMatching("phone GetCurrentCallId", 3, std::chrono::milliseconds(200)));
  };
  handset->ExecuteKeyCommand(kKeySend);
  other.join();
  EXPECT_EQ(log.MatchingAny({"send", "phone GetCurrentCallId"}),
            (EventLog::Events{"phone GetCurrentCallId", "phone GetCurrentCallId", "send SET CALL     7 STATUS ONHOLD",
                              "send SET CALL     8 STATUS INPROGRESS", "phone GetCurrentCallId",
                              "send SET CALL     7 STATUS FINISHED"}));
}

}  // namespace
}  // namespace tolvane::testing
