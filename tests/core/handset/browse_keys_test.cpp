// Browsing on the handset: the keys that enter, filter and leave a browse
// mode, the browse reports that step and show an entry, and the balance.
#include "interfaces/handset_codes.h"
#include "interfaces/handset_mode.h"
#include "key_fixture.h"

namespace tolvane::testing {
namespace {

class BrowseTest : public KeyTest {
 protected:
  // One report in turn from number 1 (the turn the fixture opened) through
  // the report thread; once `last` has been logged, returns what the stores,
  // renderer, session and handset saw.
  EventLog::Events Press(int key, const std::string& last) {
    log.Clear();
    Feed({MakeReport(key, next_)}, last);
    next_ = static_cast<std::uint8_t>((next_ + 1) % 4);
    return log.MatchingAny({"contacts", "phone", "renderer", "link", "lib", "pause"});
  }
  std::uint8_t next_ = 1;
};

TEST_F(BrowseTest, ContactsAreEnteredSteppedShownAndLeft) {
  handset->Settings().NotSupportedFont = 1;  // names rendered
  contacts.selectedName = "Alice Example";
  contacts.contactCount = 2;
  EXPECT_EQ(Press(kKeyBrowseContacts, Ack(1)), (EventLog::Events{"contacts ResetContactBrowse", Char(0, 79), Ack(1)}));
  EXPECT_EQ(handset->Mode(), kModeBrowseContacts);
  const EventLog::Events shown = {"contacts GetSelectedContactName", "renderer ShowText Alice Example"};
  EXPECT_EQ(Press(kKeyBrowseOnline, Ack(2)), Joined({{"contacts SetBrowseAllContacts 0", "contacts StepContact 0 0"}, shown,
                                             {Ack(2)}}));
  EXPECT_EQ(Press(kKeyBrowseAll, Ack(3)), Joined({{"contacts SetBrowseAllContacts 1", "contacts StepContact 0 0"}, shown,
                                          {Ack(3)}}));
  // The steps are acknowledged once the entry is prepared.
  EXPECT_EQ(Press(kKeyBrowseNext, Ack(0)), Joined({{"contacts StepContact 0 1"}, shown, {Ack(0)}}));
  EXPECT_EQ(Press(kKeyBrowsePrevious, Ack(1)), Joined({{"contacts StepContact 1 1"}, shown, {Ack(1)}}));
  // Showing the entry is acknowledged first; the screen is then announced.
  EXPECT_EQ(Press(kKeyBrowseShowEntry, "lib SendCode 63"),
            (EventLog::Events{Ack(2), "contacts GetContactCount", "lib SendCode 63"}));
  EXPECT_EQ(handset->Mode(), kModeBrowseContacts | kModeRenderedText);
  EXPECT_EQ(Press(kKeyBrowseLeave, Ack(3)), (EventLog::Events{"contacts ResetContactBrowse", "phone ResetBrowse", Ack(3)}));
  EXPECT_EQ(handset->Mode(), 0u);
}

TEST_F(BrowseTest, ShowingAContactAnnouncesAHandleScreenOrNothingWithoutContacts) {
  handset->Settings().NotSupportedFont = 0;  // handles shown
  Press(kKeyBrowseContacts, Ack(1));
  contacts.contactCount = 1;
  EXPECT_EQ(Press(kKeyBrowseShowEntry, "lib SendCode 62"),
            (EventLog::Events{Ack(2), "contacts GetContactCount", "lib SendCode 62"}));
  EXPECT_EQ(handset->Mode(), kModeBrowseContacts | kModeHandleText);
  // The count is read after it is logged: the case without contacts goes last.
  contacts.contactCount = 0;
  EXPECT_EQ(Press(kKeyBrowseShowEntry, "contacts GetContactCount"),
            (EventLog::Events{Ack(3), "contacts GetContactCount"}));
}

TEST_F(BrowseTest, HistorySelectionAsksForWhatIsNotKnownYet) {
  const struct {
    const char* name;
    int key;
    int renderedNames, hasDetails;
    Status step;
    EventLog::Events events;
  } rows[] = {
      {"missed, rendered names", kKeyBrowseMissed, 1, 0, kOk,
       {"phone SetBrowseMode 2", "phone BrowseStep 0 0", "phone GetHistoryHasDetails 42",
        "phone ClearSelectionForMode", "link SendCommand 17 42", "link SendCommand 9 42", "link SendCommand 8 42",
        "link SendCommand 13 42"}},
      {"received, handles", kKeyBrowseOnline, 0, 0, kOk,
       {"phone SetBrowseMode 0", "phone BrowseStep 0 0", "phone GetHistoryHasDetails 42",
        "phone ClearSelectionForMode", "link SendCommand 17 42", "link SendCommand 8 42", "link SendCommand 13 42"}},
      {"dialled, known", kKeyBrowseAll, 1, 1, kOk,
       {"phone SetBrowseMode 1", "phone BrowseStep 0 0", "phone GetHistoryHasDetails 42", "phone RefreshSelected 42"}},
      {"next, known", kKeyBrowseNext, 1, 1, kOk,
       {"phone BrowseStep 0 1", "phone GetHistoryHasDetails 42", "phone RefreshSelected 42"}},
      {"previous, none", kKeyBrowsePrevious, 1, 1, kFail, {"phone BrowseStep 1 1"}},
  };
  Press(kKeyBrowseHistory, Ack(1));
  EXPECT_EQ(handset->Mode(), kModeBrowseHistory);
  phone.browseStepCallId = 42;
  for (const auto& row : rows) {
    handset->Settings().NotSupportedFont = row.renderedNames;
    phone.historyHasDetails = row.hasDetails;
    phone.browseStepResult = row.step;
    const int n = next_;
    EventLog::Events expected = row.events;
    expected.push_back(Ack(n));
    EXPECT_EQ(Press(row.key, Ack(n)), expected) << row.name;
  }
}

TEST_F(BrowseTest, TheShownHistoryEntryWaitsForItsNameThenGivesUp) {
  const struct {
    const char* name;
    int count;
    Status cursor;
    int misses;
    std::string displayName;
    int pauses;
    std::string shown;
  } rows[] = {
      {"name after two misses", 3, kOk, 2, "Bob Example", 3, "Bob Example"},
      {"never a name", 3, kOk, 99, "Bob Example", 15, "Unknown User"},
      {"no cursor", 3, kFail, 0, "", 0, "No calling data."},
      {"empty history", 0, kOk, 0, "", 0, "No calling data."},
  };
  handset->Settings().NotSupportedFont = 1;
  Press(kKeyBrowseHistory, Ack(1));
  for (const auto& row : rows) {
    handset->SetMode(kModeBrowseHistory);
    phone.historyCount = row.count;
    phone.hasCursor = row.cursor;
    phone.displayNameMisses = row.misses;
    phone.selectedDisplayName = row.displayName;
    const EventLog::Events events = Press(kKeyBrowseShowEntry, "lib SendCode 63");
    EXPECT_EQ(std::count(events.begin(), events.end(), Paused(6)), row.pauses) << row.name;
    EXPECT_EQ(log.MatchingAny({"renderer", "lib SendCode 63"}),
              (EventLog::Events{"renderer ShowText " + row.shown, "lib SendCode 63"}))
        << row.name;
    EXPECT_EQ(log.Count("phone ClearSelectionForMode"), row.shown == "No calling data." ? 1u : 0u) << row.name;
    EXPECT_EQ(handset->Mode(), kModeBrowseHistory | kModeRenderedText) << row.name;
  }
}

TEST_F(BrowseTest, OutsideBrowsingTheStepsOnlyAcknowledge) {
  EXPECT_EQ(Press(kKeyBrowseNext, Ack(1)), (EventLog::Events{Ack(1)}));
  EXPECT_EQ(Press(kKeyBrowseOnline, Ack(2)), (EventLog::Events{Ack(2)}));
}

TEST_F(BrowseTest, SendAndHistoryKeysRepeatingANumberAreTakenWhileBrowsing) {
  Press(kKeyBrowseHistory, Ack(1));
  phone.selectedPartnerHandle = "bob.example";
  next_ = 1;  // the handset numbers again from 1
  Press(kKeySend, Ack(1));
  EXPECT_EQ(Sent(), (EventLog::Events{Line("CALL bob.example")}));
  // Not browsing any more: a repeat is dropped, the next number is taken.
  log.Clear();
  Feed({MakeReport(kKeySend, 1), MakeReport(kKeyMuteOff, 2)}, Ack(2));
  EXPECT_EQ(Sent(), (EventLog::Events{Line("SET MUTE OFF")}));
}

TEST_F(BrowseTest, BalanceIsShownOnADisplayInsteadOfAcknowledged) {
  contacts.balance = 1234;
  EXPECT_EQ(Press(kKeyBalance, Ack(1)), (EventLog::Events{"contacts GetSkypeOutBalance", Ack(1)}));
  Feed({MakeReport(kKeyIdentifyWithDisplay, 0)}, "link ShowMissedCalls 1");
  next_ = 1;
  EXPECT_EQ(Press(kKeyBalance, "lib SendCode 63"), (EventLog::Events{"contacts GetSkypeOutBalance", "renderer ShowBalance 1234",
                                                   Paused(20), "lib SendCode 63"}));
  EXPECT_EQ(handset->Mode(), kModeRenderedText | kModeBalance);
}

}  // namespace
}  // namespace tolvane::testing
