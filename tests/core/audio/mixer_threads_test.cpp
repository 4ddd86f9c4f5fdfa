// The mixer objects are used at once by the main window (initialise, close,
// change notifications), the handset's report thread (volume keys) and the
// volume dialog's worker (levels). Every call must find the device open and
// the values sized for its control: the fake counts any call that does not,
// and the sanitizers catch a block used after it was freed.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "audio/handset_mixers.h"
#include "core/audio/closed_mixers.h"
#include "core/audio/fake_mixer.h"

namespace tolvane::testing {
namespace {

TEST(MixerThreadsTest, KeysLevelsAndReopeningAtTheSameTimeNeverUseAClosedDevice) {
  FakeMixer fake({HandsetDevice(2)});
  RecordingMixerTrace trace;
  HandsetMixers mixers(fake, &trace);
  ASSERT_EQ(mixers.Init(TestWindow()), 3);

  std::atomic<bool> stop{false};
  std::thread reports([&] {
    LevelControl& keys = mixers.speakerFader;
    for (int i = 0; !stop.load(); ++i) keys.SetFaderValue(i % 3, 16);
  });
  std::thread dialog([&] {
    while (!stop.load()) {
      mixers.speakerFader.GetFaderLevel();
      mixers.micFader.SetFaderValue(4, mixers.micFader.GetFaderLevel() ^ 1);
    }
  });
  for (int round = 0; round < 300; ++round) {
    mixers.micFader.OnControlChange(0x101, kMicVolumeId);
    if (round % 3 == 0) mixers.Close();
    mixers.Init(TestWindow());
  }
  stop.store(true);
  reports.join();
  dialog.join();

  EXPECT_EQ(fake.Misuse(), 0);
  EXPECT_TRUE(trace.Lines().empty());
  mixers.Close();
  EXPECT_EQ(fake.OpenHandles(), 0u);
}

// A trace port that looks at the mixer again (as a diagnostic window might)
// must not find the object still locked.
TEST(MixerThreadsTest, TheTracePortIsCalledWithTheObjectUnlocked) {
  FakeMixer fake({HandsetDevice(1, "Realtek HD Audio")});
  RecordingMixerTrace trace;
  HandsetMixers mixers(fake, &trace);
  int levels = 0;
  trace.onTrace = [&] { levels += mixers.speakerFader.GetFaderLevel() + 1; };
  EXPECT_EQ(mixers.Init(nullptr), 0);
  EXPECT_EQ(levels, 3);
}

}  // namespace
}  // namespace tolvane::testing
