// Sequence numbers of handset reports, as the report thread takes them from
// the queue: key reports in turn are acted on and acknowledged (0x50 + n),
// repeats are dropped, display requests out of turn are answered or dropped
// by the screen state. A report that shows nothing is followed by one that
// does, which the thread can only reach after it.
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

TEST_F(ReportSequenceTest, FirstReportIsTakenWhateverItsNumber) {
  // Only the first: a repeat of it is dropped, the next in turn is taken.
  Feed({MakeReport(83, 3), MakeReport(83, 3), MakeReport(46, 0)}, "lib SendCode 80");
  EXPECT_EQ(log.All(), (EventLog::Events{"send FOCUS", "lib SendCode 83", "send SET MUTE OFF", "lib SendCode 80"}));
}

TEST_F(ReportSequenceTest, NumbersRunCyclicallyAndRepeatsAreDropped) {
  StartInTurn();
  // The repeat of 2 is dropped, not acknowledged; 0 follows 3.
  Feed({MakeReport(83, 2), MakeReport(83, 2), MakeReport(47, 3), MakeReport(46, 0)}, "lib SendCode 80");
  EXPECT_EQ(Since(), (EventLog::Events{"send FOCUS", "lib SendCode 82", "send SET MUTE ON", "lib SendCode 83",
                                       "send SET MUTE OFF", "lib SendCode 80"}));
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

TEST_F(ReportSequenceTest, RefusedKeyCommandIsStillAcknowledged) {
  StartInTurn();
  transport.RefuseLine("FOCUS");
  Feed({MakeReport(83, 2)}, "lib SendCode 82");
  EXPECT_EQ(Since(), (EventLog::Events{"send-refused FOCUS", "link RunSessionAction 1", "lib SendCode 82"}));
}

TEST_F(ReportSequenceTest, SilentKeysAreTakenButNeverAcknowledged) {
  StartInTurn();
  std::uint8_t n = 2;
  for (int key : {1, 2, 66, 67, 90, 26}) {
    Queue({MakeReport(key, n)});
    n = static_cast<std::uint8_t>((n + 1) % 4);
  }
  Feed({MakeReport(83, n)}, Ack(n));  // the numbers were used up in turn
  EXPECT_EQ(Since(), (EventLog::Events{"send FOCUS", Ack(n)}));
}

TEST_F(ReportSequenceTest, DisplayRequestWithoutAPreparedScreenIsDropped) {
  StartInTurn();
  // No screen at all, or one asked for that has no text prepared yet.
  for (std::uint32_t mode : {0u, static_cast<std::uint32_t>(kModeCallerIdAsked)}) {
    handset->SetMode(mode);
    Queue({MakeReport(90, 4), MakeReport(90, 5), MakeReport(90, 6), MakeReport(90, 7)});
  }
  Feed({MakeReport(83, 2)}, "lib SendCode 82");
  EXPECT_EQ(Since(), (EventLog::Events{"send FOCUS", "lib SendCode 82"}));
}

TEST_F(ReportSequenceTest, DisplayRequestForAnotherKeyIsRefusedWhileAScreenIsPrepared) {
  StartInTurn();
  for (std::uint32_t screen : {kModeRenderedText, kModeHandleText}) {
    handset->SetMode(screen);
    Feed({MakeReport(97, 5)}, "lib SendCode 37");
  }
  EXPECT_EQ(Since(), (EventLog::Events{"lib SendCode 37", "lib SendCode 37"}));
}

TEST_F(ReportSequenceTest, OutOfTurnNumbersAboveSevenAreDropped) {
  StartInTurn();
  handset->SetMode(kModeRenderedText);
  Feed({MakeReport(97, 8), MakeReport(97, 4)}, "lib SendCode 36");
  EXPECT_EQ(Since(), (EventLog::Events{"lib SendCode 36"}));
}

TEST_F(ReportSequenceTest, IdentificationIsTakenOutOfTurnAndSetsUpTheHandset) {
  StartInTurn();
  handset->Settings().SupportEnableKeyTone = 1;
  Feed({MakeReport(kKeyIdentifyWithDisplay, 0)}, "link ShowMissedCalls 1");
  EXPECT_EQ(Since(), (EventLog::Events{"lib WriteDeviceSetting 14 128 8", "link SetHandsetAttached 1",
                                       "lib SendCode 40", "link UpdateStatusTip", "link ShowMissedCalls 1"}));
  EXPECT_TRUE(handset->IsConnected());
}

TEST_F(ReportSequenceTest, IdentificationWithoutDisplayAsksForTheStatus) {
  StartInTurn();
  Feed({MakeReport(kKeyIdentifyWithDisplay, 2)}, "link ShowMissedCalls 1");
  Forget();
  handset->Settings().SupportAGC = 1;  // the gain setting follows the option
  Feed({MakeReport(kKeyIdentifyWithoutDisplay, 3)}, "link SendCommand 33 0");
  EXPECT_EQ(Since(), (EventLog::Events{"lib WriteDeviceSetting 14 128 72", "link SetHandsetAttached 0",
                                       "lib SendCode 41", "link UpdateStatusTip", "link SendCommand 30 0",
                                       "link SendCommand 33 0"}));
}

TEST_F(ReportSequenceTest, ShowEntryOutsideBrowsingAcknowledgesAndSaysThereIsNone) {
  StartInTurn();
  Feed({MakeReport(108, 2)}, "lib SendCode 26");
  EXPECT_EQ(Since(), (EventLog::Events{"lib SendCode 82", "lib SendCode 26"}));
}

TEST_F(ReportSequenceTest, OwnStatusKeySendsTheCurrentStatusBack) {
  StartInTurn();
  link.userStatus = 5;
  Feed({MakeReport(33, 2)}, "lib SendCode 82");
  EXPECT_EQ(Since(), (EventLog::Events{"link SendUserStatusCode 5", "lib SendCode 82"}));
}

}  // namespace
}  // namespace tolvane::testing
