// Sequence numbers of handset reports: key reports in turn are acted on and
// acknowledged (0x50 + n), repeats are dropped, display requests out of turn
// are answered or dropped by the screen state.
#include "interfaces/handset_codes.h"
#include "interfaces/handset_mode.h"
#include "handset_fixture.h"

namespace tolvane::testing {
namespace {

class ReportSequenceTest : public HandsetTest {
 protected:
  // Takes the first report of the session (accepted whatever its number),
  // so that the next expected number is known: 2.
  void StartInTurn() {
    handset->ProcessReport(MakeReport(46, 1));
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

TEST_F(ReportSequenceTest, FirstReportIsTakenWhateverItsNumber) {
  handset->ProcessReport(MakeReport(83, 3));
  EXPECT_EQ(log.All(), (EventLog::Events{"send FOCUS", "lib SendCode 83"}));
  // Only the first: a repeat of it is dropped.
  handset->ProcessReport(MakeReport(83, 3));
  EXPECT_EQ(log.All(), (EventLog::Events{"send FOCUS", "lib SendCode 83"}));
}

TEST_F(ReportSequenceTest, NumbersRunCyclicallyAndRepeatsAreDropped) {
  StartInTurn();
  handset->ProcessReport(MakeReport(83, 2));
  handset->ProcessReport(MakeReport(83, 2));  // repeat: dropped, not acknowledged
  handset->ProcessReport(MakeReport(47, 3));
  handset->ProcessReport(MakeReport(46, 0));  // wraps after 3
  EXPECT_EQ(Since(), (EventLog::Events{"send FOCUS", "lib SendCode 82", "send SET MUTE ON", "lib SendCode 83",
                                       "send SET MUTE OFF", "lib SendCode 80"}));
}

TEST_F(ReportSequenceTest, KeysWhileDisabledAreDroppedWithoutAcknowledgement) {
  StartInTurn();
  handset->EnableKeys(false);
  handset->ProcessReport(MakeReport(83, 2));
  EXPECT_TRUE(Since().empty());
  handset->EnableKeys(true);
  handset->ProcessReport(MakeReport(83, 3));  // the disabled one still used up number 2
  EXPECT_EQ(Since(), (EventLog::Events{"send FOCUS", "lib SendCode 83"}));
}

TEST_F(ReportSequenceTest, RefusedKeyCommandIsStillAcknowledged) {
  StartInTurn();
  transport.RefuseLine("FOCUS");
  handset->ProcessReport(MakeReport(83, 2));
  EXPECT_EQ(Since(), (EventLog::Events{"send-refused FOCUS", "link RunSessionAction 1", "lib SendCode 82"}));
}

TEST_F(ReportSequenceTest, SilentKeysAreTakenButNeverAcknowledged) {
  StartInTurn();
  std::uint8_t n = 2;
  for (int key : {1, 2, 66, 67, 90, 26}) {
    handset->ProcessReport(MakeReport(static_cast<std::uint8_t>(key), n));
    n = static_cast<std::uint8_t>((n + 1) % 4);
  }
  EXPECT_TRUE(Since().empty());
  handset->ProcessReport(MakeReport(83, n));  // the numbers were used up in turn
  EXPECT_EQ(Since().size(), 2u);
}

TEST_F(ReportSequenceTest, DisplayRequestWithoutAPreparedScreenIsDropped) {
  StartInTurn();
  for (std::uint8_t n = 4; n <= 7; ++n) handset->ProcessReport(MakeReport(90, n));
  EXPECT_TRUE(Since().empty());
}

TEST_F(ReportSequenceTest, DisplayRequestForAnotherKeyIsRefusedWhileAScreenIsPrepared) {
  StartInTurn();
  for (std::uint32_t screen : {kModeRenderedText, kModeHandleText}) {
    handset->SetMode(screen);
    handset->ProcessReport(MakeReport(97, 5));
  }
  EXPECT_EQ(Since(), (EventLog::Events{"lib SendCode 37", "lib SendCode 37"}));
}

TEST_F(ReportSequenceTest, OutOfTurnNumbersAboveSevenAreDropped) {
  StartInTurn();
  handset->SetMode(kModeRenderedText);
  handset->ProcessReport(MakeReport(97, 8));
  EXPECT_TRUE(Since().empty());
}

TEST_F(ReportSequenceTest, IdentificationIsTakenOutOfTurnAndSetsUpTheHandset) {
  StartInTurn();
  handset->Settings().SupportEnableKeyTone = 1;
  handset->ProcessReport(MakeReport(kKeyIdentifyWithDisplay, 0));
  EXPECT_EQ(Since(), (EventLog::Events{"lib WriteDeviceSetting 14 128 8", "link SetHandsetAttached 1",
                                       "lib SendCode 40", "link UpdateStatusTip", "link ShowMissedCalls 1"}));
  EXPECT_TRUE(handset->IsConnected());
}

TEST_F(ReportSequenceTest, IdentificationWithoutDisplayAsksForTheStatus) {
  StartInTurn();
  handset->ProcessReport(MakeReport(kKeyIdentifyWithDisplay, 2));
  Forget();
  handset->ProcessReport(MakeReport(kKeyIdentifyWithoutDisplay, 3));
  EXPECT_EQ(Since(), (EventLog::Events{"lib WriteDeviceSetting 14 128 8", "link SetHandsetAttached 0",
                                       "lib SendCode 41", "link UpdateStatusTip", "link SendCommand 30 0",
                                       "link SendCommand 33 0"}));
}

TEST_F(ReportSequenceTest, ShowEntryOutsideBrowsingAcknowledgesAndSaysThereIsNone) {
  StartInTurn();
  handset->ProcessReport(MakeReport(108, 2));
  EXPECT_EQ(Since(), (EventLog::Events{"lib SendCode 82", "lib SendCode 26"}));
}

TEST_F(ReportSequenceTest, OwnStatusKeySendsTheCurrentStatusBack) {
  StartInTurn();
  link.userStatus = 5;
  handset->ProcessReport(MakeReport(33, 2));
  EXPECT_EQ(Since(), (EventLog::Events{"link SendUserStatusCode 5", "lib SendCode 82"}));
}

}  // namespace
}  // namespace tolvane::testing
