// HandsetControl::WaitDisplayIdle, the hand-over with the handset's
// indicator thread that the dispatcher and the shell use: a running screen is
// stopped and waited for until it has run its end sequence; with none running
// the call changes nothing.
#include <gtest/gtest.h>

#include <chrono>

#include "core/fakes/skype_link_rig.h"
#include "interfaces/handset_mode.h"
#include "handset_fakes.h"

namespace tolvane::testing {
namespace {

using std::chrono::milliseconds;

// The rig's session and handset, with the handset's pauses recorded and the
// stores and renderer attached to the handset as start-up attaches them.
struct IdleRig {
  IdleRig() {
    rig.handset.SetDisplayRenderer(&rig.renderer);
    HandsetControl::Ports ports;
    ports.transport = &rig.direct;
    ports.link = rig.link.get();
    ports.phoneState = &rig.phone;
    ports.contactList = &rig.contacts;
    ports.pacing = &pacing;
    ports.threads = &threads;
    rig.handset.SetPorts(ports);
    rig.handset.StartReportThread();
    rig.handset.QueueReport(kOpeningReport, 0);
  }

  // The handset asks for the screen the test prepared.
  void RequestScreen(std::uint32_t mode) {
    rig.handset.SetMode(mode);
    rig.handset.QueueReport(kDisplayRequest, 0);
  }

  EventLog::Events HandsetSide() const { return rig.log.MatchingAny({"display", "pause", "renderer CancelDisplay 0"}); }

  SkypeLinkRig rig;
  RecordingPacing pacing{rig.log};
  EndLoggingThreads threads{rig.log};
};

TEST(DisplayIdleTest, StopsTheRunningScreenAndReturnsOnlyAfterItsEnd) {
  IdleRig idle;
  idle.rig.phone.durationText.Set("12");
  idle.pacing.onWait = [&, held = false](milliseconds duration) mutable {
    // The stop comes while the duration is being streamed; the indicator
    // takes the request back at once...
    if (duration.count() == 1 && !held) {
      held = true;
      idle.rig.log.Add("held");
      idle.rig.log.WaitFor("renderer CancelDisplay 1");
    }
    // ...but its end sequence is still to run, and gives a waiter that
    // returns too early every chance to show it: "idle" would come first.
    if (duration.count() == 5) idle.rig.log.WaitFor("idle", 1, milliseconds(100));
  };
  idle.RequestScreen(kModeDuration);
  ASSERT_TRUE(idle.rig.log.WaitFor("held"));

  EXPECT_EQ(idle.rig.handset.WaitDisplayIdle(), true);
  idle.rig.log.Add("idle");

  // The settle pause after the stop request runs on the waiter's thread while
  // the indicator finishes its character.
  EXPECT_EQ(idle.rig.log.Count("pause 20"), 1u) << "the settle pause after the stop request";
  EventLog::Events indicatorSide;
  for (const std::string& e : idle.HandsetSide()) {
    if (e != "pause 20") indicatorSide.push_back(e);
  }
  EXPECT_EQ(indicatorSide, (EventLog::Events{"pause 2", "display 0 79", "pause 25", "display 131 10", "pause 10",
                                             "display 49 0", "pause 1", "display 50 5", "display 26 10", "pause 5",
                                             "renderer CancelDisplay 0"}));
  EXPECT_EQ(idle.rig.log.MatchingAny({"display", "pause", "renderer", "idle"}).back(), "idle");
  EXPECT_EQ(idle.rig.handset.Mode(), 0u);
}

TEST(DisplayIdleTest, StoppingABrowseScreenKeepsTheUserBrowsing) {
  IdleRig idle;
  idle.rig.phone.durationText.Set("0:42");
  idle.pacing.onWait = [&, held = false](milliseconds) mutable {
    if (held) return;
    held = true;
    idle.rig.log.Add("held");
    idle.rig.log.WaitFor("renderer CancelDisplay 1");
  };
  idle.RequestScreen(kModeBrowseHistory | kModeRenderedText);
  ASSERT_TRUE(idle.rig.log.WaitFor("held"));
  EXPECT_TRUE(idle.rig.handset.WaitDisplayIdle());
  EXPECT_EQ(idle.rig.handset.Mode(), static_cast<std::uint32_t>(kModeBrowseHistory));
}

// Before any screen and after one that ended by itself: no stop request, no
// settle pause, the mode left alone.
TEST(DisplayIdleTest, WithNoIndicatorRunningReturnsAtOnceAndTouchesNothing) {
  IdleRig idle;
  for (bool screenFirst : {false, true}) {
    if (screenFirst) idle.RequestScreen(kModeCallerIdAsked | kModeRenderedText);
    ASSERT_TRUE(!screenFirst || idle.rig.log.WaitFor(kRunEnded));
    idle.rig.handset.SetMode(kModeBrowseContacts);
    const std::size_t before = idle.rig.log.All().size();
    EXPECT_EQ(idle.rig.handset.WaitDisplayIdle(), true);
    EXPECT_EQ(idle.rig.log.All().size(), before);
    EXPECT_EQ(idle.rig.handset.Mode(), static_cast<std::uint32_t>(kModeBrowseContacts));
  }
}

}  // namespace
}  // namespace tolvane::testing
