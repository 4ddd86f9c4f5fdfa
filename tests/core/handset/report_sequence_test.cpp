// Sequence numbers of handset reports, as the report thread takes them from
// the queue: key reports in turn are acted on and acknowledged (0x50 + n),
// repeats are dropped, display requests out of turn are answered or dropped
// by the screen state. A report that shows nothing is followed by one that
// does, which the thread can only reach after it.
#include <vector>

#include "interfaces/handset_codes.h"
#include "interfaces/handset_mode.h"
#include "handset_fixture.h"

namespace tolvane::testing {
namespace {

class ReportSequenceTest : public HandsetTest {
 protected:
  ReportSequenceTest() { handset->StartReportThread(); }

  // Takes the first report of the session (accepted whatever its number),
  // so that the next expected number is known: 2.
  void StartInTurn() {
    Feed({MakeReport(46, 1)}, "lib SendCode 81");
    ASSERT_EQ(log.All(), (EventLog::Events{"send SET MUTE OFF", "lib SendCode 81"}));
    Forget();
  }
  void Forget() { seen = log.All().size(); }
  EventLog::Events Since() const {
    EventLog::Events all = log.All();
    return EventLog::Events(all.begin() + static_cast<std::ptrdiff_t>(seen), all.end());
  }
  std::size_t seen = 0;
};

struct SequenceRow {
  const char* name;
  std::uint32_t mode;                  // the screen state the reports meet
  std::vector<std::uint32_t> reports;  // after the first, so from number 2
  EventLog::Events expected;           // its last event ends the wait
};

const SequenceRow kSequences[] = {
    {"NumbersRunCyclicallyAndRepeatsAreDropped", 0,
     {MakeReport(83, 2), MakeReport(83, 2), MakeReport(47, 3), MakeReport(46, 0)},
     {"send FOCUS", "lib SendCode 82", "send SET MUTE ON", "lib SendCode 83", "send SET MUTE OFF", "lib SendCode 80"}},
    {"RefusedKeyCommandIsStillAcknowledged", 0, {MakeReport(kKeyPlus, 2)},
     {"send FOCUS", "send-refused BTN_RELEASED +", "link RunSessionAction 1", "lib SendCode 82"}},
    {"SilentKeysAreTakenButNeverAcknowledged", 0,
     {MakeReport(1, 2), MakeReport(2, 3), MakeReport(66, 0), MakeReport(67, 1), MakeReport(90, 2), MakeReport(26, 3),
      MakeReport(83, 0)},
     {"send FOCUS", "lib SendCode 80"}},
    {"DisplayRequestWithoutAPreparedScreenIsDropped", 0,
     {MakeReport(90, 4), MakeReport(90, 5), MakeReport(90, 6), MakeReport(90, 7), MakeReport(83, 2)},
     {"send FOCUS", "lib SendCode 82"}},
    {"DisplayRequestForAScreenWithoutTextIsDropped", kModeCallerIdAsked,
     {MakeReport(90, 4), MakeReport(90, 7), MakeReport(83, 2)}, {"send FOCUS", "lib SendCode 82"}},
    {"DisplayRequestForAnotherKeyIsRefusedWhileARenderedScreenIsPrepared", kModeRenderedText, {MakeReport(97, 5)},
     {"lib SendCode 37"}},
    {"DisplayRequestForAnotherKeyIsRefusedWhileAHandleScreenIsPrepared", kModeHandleText, {MakeReport(97, 5)},
     {"lib SendCode 37"}},
    {"OutOfTurnNumbersAboveSevenAreDropped", kModeRenderedText, {MakeReport(97, 8), MakeReport(97, 4)},
     {"lib SendCode 36"}},
    {"ShowEntryOutsideBrowsingAcknowledgesAndSaysThereIsNone", 0, {MakeReport(108, 2)},
     {"lib SendCode 82", "lib SendCode 26"}},
    {"OwnStatusKeySendsTheCurrentStatusBack", 0, {MakeReport(33, 2)},
     {"link SendUserStatusCode 5", "lib SendCode 82"}},
};

class Sequences : public ReportSequenceTest, public ::testing::WithParamInterface<SequenceRow> {};

TEST_P(Sequences, ReportsInTheirTurnAndOutOfIt) {
  const SequenceRow& row = GetParam();
  transport.RefuseLine("BTN_RELEASED +");
  link.userStatus = 5;
  StartInTurn();
  handset->SetMode(row.mode);
  Feed(row.reports, row.expected.back());
  EXPECT_EQ(Since(), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Handset, Sequences, ::testing::ValuesIn(kSequences),
                         [](const ::testing::TestParamInfo<SequenceRow>& param) { return param.param.name; });

TEST_F(ReportSequenceTest, FirstReportIsTakenWhateverItsNumber) {
  // Only the first: a repeat of it is dropped, the next in turn is taken.
  Feed({MakeReport(83, 3), MakeReport(83, 3), MakeReport(46, 0)}, "lib SendCode 80");
  EXPECT_EQ(log.All(), (EventLog::Events{"send FOCUS", "lib SendCode 83", "send SET MUTE OFF", "lib SendCode 80"}));
}

// The session sets up the attached session on a thread of its own: it may
// tell the handset to number afresh while the report thread is still busy
// with a key. The handset's next report, whatever its number, is taken.
TEST_F(ReportSequenceTest, AFreshNumberingAnnouncedDuringAReportIsKeptForTheNextOne) {
  StartInTurn();
  transport.beforeSend = [this](std::string_view) { handset->AcceptAnySequence(); };
  Feed({MakeReport(83, 2)}, "lib SendCode 82");
  transport.beforeSend = nullptr;
  Forget();
  Feed({MakeReport(46, 0)}, "lib SendCode 80");  // 3 was due
  EXPECT_EQ(Since(), (EventLog::Events{"send SET MUTE OFF", "lib SendCode 80"}));
  // Only that one: the numbering goes on from it.
  Forget();
  Feed({MakeReport(47, 0), MakeReport(83, 1)}, "lib SendCode 81");
  EXPECT_EQ(Since(), (EventLog::Events{"send FOCUS", "lib SendCode 81"}));
}

TEST_F(ReportSequenceTest, KeysWhileDisabledAreDroppedWithoutAcknowledgement) {
  StartInTurn();
  handset->EnableKeys(false);
  // A display request refused behind it shows that the key has been taken.
  handset->SetMode(kModeRenderedText);
  Feed({MakeReport(83, 2), MakeReport(97, 5)}, "lib SendCode 37");
  EXPECT_EQ(Since(), (EventLog::Events{"lib SendCode 37"}));
  handset->SetMode(0);
  handset->EnableKeys(true);
  Forget();
  Feed({MakeReport(83, 3)}, "lib SendCode 83");  // the disabled one still used up number 2
  EXPECT_EQ(Since(), (EventLog::Events{"send FOCUS", "lib SendCode 83"}));
}

TEST_F(ReportSequenceTest, IdentificationIsTakenOutOfTurnAndSetsUpTheHandsetAndTheGain) {
  StartInTurn();
  handset->Settings().SupportEnableKeyTone = 1;
  Feed({MakeReport(kKeyIdentifyWithDisplay, 0)}, "link ShowMissedCalls 1");
  EXPECT_EQ(Since(), (EventLog::Events{"lib WriteDeviceSetting 14 128 8", "link SetHandsetAttached 1",
                                       "lib SendCode 40", "link UpdateStatusTip", "link ShowMissedCalls 1"}));
  EXPECT_TRUE(handset->IsConnected());
  // Without a display the status is asked for; the gain follows the option.
  Forget();
  handset->Settings().SupportAGC = 1;
  handset->Settings().SupportEnableKeyTone = 0;
  Feed({MakeReport(kKeyIdentifyWithoutDisplay, 3)}, "link SendCommand 33 0");
  EXPECT_EQ(Since(), (EventLog::Events{"lib WriteDeviceSetting 14 128 72", "link SetHandsetAttached 0",
                                       "lib SendCode 41", "link UpdateStatusTip", "link SendCommand 30 0",
                                       "link SendCommand 33 0"}));
}

}  // namespace
}  // namespace tolvane::testing
