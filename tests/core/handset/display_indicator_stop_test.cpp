// Stopping the indicator and the hand-over around it: a stop request ends
// the screen after the character being sent and the end sequence still
// runs; only one indicator runs at a time; a waiter returns once the run it
// stopped has ended, even when the next screen has begun by then.
#include <atomic>
#include <chrono>
#include <thread>
#include <utility>

#include "display_indicator_fixture.h"
#include "interfaces/handset_codes.h"
#include "interfaces/handset_mode.h"

namespace tolvane::testing {
namespace {

using std::chrono::milliseconds;

class IndicatorStopTest : public DisplayIndicatorTest {
 protected:
  // Stops the indicator with the stop key from inside it, at the n-th pause
  // of `length` ms: as a stopper on another thread would at that moment.
  void StopAtPause(int length, int n = 1) {
    pacing.onWait = [this, length, n, seen = 0](milliseconds duration) mutable {
      if (duration.count() == length && ++seen == n) handset->ExecuteKeyCommand(kKeyStopIndicator);
    };
  }
  // Holds the indicator in its first pause of `length` ms until the test
  // logs "release". Other threads pause too: the hook keeps no state.
  void HoldAtPause(int length) {
    pacing.onWait = [this, length](milliseconds duration) {
      if (duration.count() != length || log.Count("held") != 0) return;
      log.Add("held");
      log.WaitFor("release");
    };
  }
};

TEST_F(IndicatorStopTest, AStopDuringATextEndsAfterTheCurrentCharacter) {
  phone.durationText.Set("12:34");
  StopAtPause(1);  // after the first character
  EXPECT_EQ(RunScreen(kModeDuration),
            Joined({{Paused(2), Char(0, 79), Paused(25), Char(131, 10), Paused(10)},
                    {Char('1', 0), "renderer CancelDisplay 1", Paused(1), Char('2', 5)},
                    kEndOfScreen}));
  EXPECT_EQ(handset->Mode(), 0u);
}

TEST_F(IndicatorStopTest, AStopInTheHistoryDurationSkipsTheTimestampAndKeepsBrowsing) {
  phone.durationText.Set("0:42");
  phone.timestampText.Set("12/05");
  StopAtPause(1, 3);  // the pauses: after the mark, after (129, 10), after '0'
  EXPECT_EQ(RunScreen(kModeBrowseHistory | kModeRenderedText),
            Joined({{Char(106, 10), Paused(1), Char(129, 10), Paused(1), Char('0', 0), "renderer CancelDisplay 1",
                     Paused(1), Char(':', 5)},
                    kEndOfScreen}));
  EXPECT_EQ(handset->Mode(), static_cast<std::uint32_t>(kModeBrowseHistory));
}

TEST_F(IndicatorStopTest, AStopBetweenCodesEndsBeforeTheRendererIsAskedForTheText) {
  StopAtPause(25);
  EXPECT_EQ(RunScreen(kModeCallerIdAsked | kModeRenderedText),
            Joined({{Paused(15), Char(0, 79), "renderer CancelDisplay 1", Paused(25)}, {Char(106, 10)}, kEndOfScreen}));
  // The end takes the request back: the next screen runs whole.
  pacing.onWait = nullptr;
  log.Clear();
  contacts.shownHandleText.Set("bob");
  EXPECT_EQ(RunScreen(kModeCallerIdAsked | kModeHandleText),
            Joined({kBeginScreen, {Char(106, 10), Paused(3), Char(112, 10), Paused(1)}, Streamed("bob"), kEndOfScreen}));
}

TEST_F(IndicatorStopTest, AStopAsTheDurationScreenBeginsSendsOnlyTheEnd) {
  phone.durationText.Set("1:05");
  StopAtPause(2);
  EXPECT_EQ(RunScreen(kModeDuration), Joined({{"renderer CancelDisplay 1", Paused(2), Char(0, 79)}, kEndOfScreen}));
}

TEST_F(IndicatorStopTest, TheEndReadsTheModeAgain) {
  // A stopper clears the mode while the missed-call message is on its way:
  // nothing is left to refresh.
  pacing.onWait = [this](milliseconds duration) {
    if (duration.count() == 25) handset->SetMode(0);
  };
  EXPECT_EQ(RunScreen(kModeMissedCalls | kModeRenderedText),
            Joined({kBeginScreen, {Char(106, 10), Paused(3), "renderer FinishDisplay"}, kEndOfScreen}));
}

// The missed-call message's end asks for the user's status once it has
// taken back any stop request; a stop key handled just then finds the screen
// over and must not leave the renderer abandoning the next screen's text.
TEST_F(IndicatorStopTest, AStopAsAScreenEndsLeavesTheRendererReadyForTheNext) {
  link.beforeSendCommand = [this, stopped = false](int) mutable {
    if (!std::exchange(stopped, true)) handset->ExecuteKeyCommand(kKeyStopIndicator);
  };
  EXPECT_EQ(RunScreen(kModeMissedCalls | kModeRenderedText),
            Joined({kBeginScreen, {Char(106, 10), Paused(3), "renderer FinishDisplay"}, kEndOfScreen, kStatusRefresh}));
  EXPECT_FALSE(renderer.Cancelled());
  link.beforeSendCommand = nullptr;
  log.Clear();
  EXPECT_EQ(RunScreen(kModeCallerIdAsked | kModeRenderedText),
            Joined({kBeginScreen, {Char(106, 10), Paused(3), "renderer FinishDisplay"}, kEndOfScreen}));
}

// Browsing, the next entry is prepared and shown (key 108) while the screen
// of the one before still streams. Its screen outlives the end of the
// running one: the handset's request for it, whether it comes after that end
// or while the old screen still streams, shows it.
TEST_F(IndicatorStopTest, AnEntryShownWhileTheLastOneStreamsIsShownNext) {
  for (const bool askedWhileStreaming : {false, true}) {
    SCOPED_TRACE(askedWhileStreaming ? "asked while the last one streams" : "asked after its end");
    handset->Settings().NotSupportedFont = 1;  // names rendered
    contacts.contactCount = 2;
    handset->SetMode(kModeBrowseContacts);
    log.Clear();
    HoldAtPause(1);  // after the first entry's status mark
    Feed({MakeReport(kKeyBrowseShowEntry, 1)}, "lib SendCode 63");
    const std::size_t firstEnded = RequestScreen();
    ASSERT_TRUE(log.WaitFor("held"));
    Feed({MakeReport(kKeyBrowseNext, 2), MakeReport(kKeyBrowseShowEntry, 3)}, "lib SendCode 63");
    if (askedWhileStreaming) handset->QueueReport(MakeReport(kKeyDisplayRequest, 6), 0);
    // A key behind it shows that the report thread is past the request.
    Feed({MakeReport(kKeyMuteOff, 0)}, Ack(0));
    log.Add("release");
    if (!askedWhileStreaming) {
      WaitForEnd(firstEnded);
      EXPECT_EQ(handset->Mode(), kModeBrowseContacts | kModeRenderedText);
      handset->QueueReport(MakeReport(kKeyDisplayRequest, 6), 0);
    }
    // Asked for while the last one streamed, the entry follows on the same
    // thread.
    EXPECT_TRUE(log.WaitFor(kRunEnded, askedWhileStreaming ? 1 : 2));
    EXPECT_EQ(log.Count(Char(26, 10)), 2u);
    EXPECT_EQ(log.Count("renderer FinishDisplay"), 2u);
    EXPECT_EQ(handset->Mode(), static_cast<std::uint32_t>(kModeBrowseContacts));
    pacing.onWait = nullptr;
  }
}

// Contact browsing entered (key 96) just as a caller's screen ends, between
// the end reading the mode and writing it back: the end decides again on the
// mode as it is then and keeps the browse bit. Each round enters browsing a
// little later after the screen's last pause, so that some rounds land in
// that moment.
TEST_F(IndicatorStopTest, BrowsingEnteredAsAScreenEndsIsKept) {
  std::atomic<bool> lastPause{false};
  pacing.onWait = [&](milliseconds duration) {
    if (duration.count() == 3) lastPause.store(true);
  };
  int lost = 0;
  for (int round = 0; round < 2000; ++round) {
    log.Clear();
    lastPause.store(false);
    handset->SetMode(kModeCallerIdAsked | kModeRenderedText);
    std::thread key([&, spins = (round % 400) * 5] {
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
      while (!lastPause.load() && std::chrono::steady_clock::now() < deadline) {
      }
      std::atomic<int> spun{0};
      while (spun.fetch_add(1, std::memory_order_relaxed) < spins) {
      }
      handset->AddModeBits(kModeBrowseContacts);
    });
    WaitForEnd(RequestScreen());
    key.join();
    if ((handset->Mode() & kModeBrowseContacts) == 0) ++lost;
  }
  EXPECT_EQ(lost, 0);
}

TEST_F(IndicatorStopTest, OnlyOneIndicatorRunsAtATime) {
  HoldAtPause(15);
  handset->SetMode(kModeCallerIdAsked | kModeRenderedText);
  const std::size_t ended = RequestScreen();
  ASSERT_TRUE(log.WaitFor("held"));
  // The running one counts; the key behind the second request shows that
  // the request has been taken.
  Feed({kDisplayRequest, MakeReport(46, 1)}, Ack(1));
  log.Add("release");
  WaitForEnd(ended);
  EXPECT_EQ(log.Count(Char(0, 79)), 1u);
  EXPECT_EQ(log.Count(Char(26, 10)), 1u);

  // Once it has ended, the next display request streams again.
  RunScreen(kModeCallerIdAsked | kModeRenderedText);
  EXPECT_EQ(log.Count(Char(0, 79)), 2u);
  EXPECT_EQ(log.Count(Char(26, 10)), 2u);
  EXPECT_EQ(log.Count(kRunEnded), 2u);
}

// ---- Hand-over ------------------------------------------------------------

// A waiter stops the first screen and is held in its settle pause until the
// first has ended and a second has begun: it waits for the run it stopped,
// not for the later screen.
TEST_F(IndicatorStopTest, AWaiterReturnsOnceItsRunHasEndedThoughAnotherHasBegun) {
  pacing.onWait = [this](milliseconds duration) {
    if (duration.count() == 15) {
      const std::string run = std::to_string(log.Count(Paused(15)));
      log.Add("held " + run);
      log.WaitFor("release " + run);
    } else if (duration.count() == 20) {
      log.WaitFor("held 1");
    }
  };
  handset->SetMode(kModeCallerIdAsked | kModeRenderedText);
  const std::size_t firstEnded = RequestScreen();
  ASSERT_TRUE(log.WaitFor("held 0"));
  std::thread waiter([this] {
    EXPECT_TRUE(handset->WaitDisplayIdle());
    log.Add("idle");
  });
  ASSERT_TRUE(log.WaitFor("renderer CancelDisplay 1"));
  log.Add("release 0");
  WaitForEnd(firstEnded);
  handset->SetMode(kModeCallerIdAsked | kModeRenderedText);
  const std::size_t secondEnded = RequestScreen();
  EXPECT_TRUE(log.WaitFor("idle"));
  EXPECT_EQ(log.Count("release 1"), 0u) << "the second screen is still held";
  log.Add("release 1");
  waiter.join();
  WaitForEnd(secondEnded);
  EXPECT_EQ(log.Count("renderer FinishDisplay"), 1u) << "the second screen ran whole";
}

TEST_F(IndicatorStopTest, DestroyingTheHandsetStopsAScreenInProgress) {
  pacing.onWait = [this](milliseconds duration) {
    if (duration.count() == 25) log.WaitFor("renderer CancelDisplay 1");
  };
  handset->SetMode(kModeCallerIdAsked | kModeRenderedText);
  RequestScreen();
  ASSERT_TRUE(log.WaitFor(Char(0, 79)));
  handset.reset();  // asks the indicator to stop and joins it
  EXPECT_EQ(log.Count("renderer FinishDisplay"), 0u);
  EXPECT_EQ(log.Count(Char(26, 10)), 1u);
}

}  // namespace
}  // namespace tolvane::testing
