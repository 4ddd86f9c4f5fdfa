// The speaker fader on the handset's device: 0-32 levels, 25-step key moves,
// the balance of a stereo line, the level read back, and the rule for
// controls whose step count does not divide their range.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/handset_mixers.h"
#include "core/audio/closed_mixers.h"
#include "core/audio/fake_mixer.h"

namespace tolvane::testing {
namespace {

using Values = std::vector<std::uint32_t>;

struct FaderCase {
  const char* name;
  std::uint32_t channels;
  Values before;  // on the device when the fader is initialised
  int kind;
  int level;
  Values after;   // empty: nothing may be written
  int position;   // SetFaderValue's result
};

// 100 steps of 655 (range 65535).
TEST(MixerFaderTest, SetFaderValueWritesTheLevelOrStepAndKeepsTheBalance) {
  const FaderCase cases[] = {
      {"level 16 of 32", 1, {0}, 2, 16, {32750}, 50},
      {"dialog level 16", 1, {0}, 4, 16, {32750}, 50},
      {"level 32 is the top step", 1, {0}, 2, 32, {65500}, 100},
      {"level above 32 is the top", 1, {0}, 2, 40, {65500}, 100},
      {"negative level is 0", 1, {32750}, 2, -3, {0}, 0},
      {"up 25 steps", 1, {50 * 655}, 0, 0, {75 * 655}, 75},
      {"up at steps-10 clamps", 1, {90 * 655}, 0, 0, {65500}, 100},
      {"down 25 steps", 1, {50 * 655}, 1, 0, {25 * 655}, 25},
      {"down at 26", 1, {26 * 655}, 1, 0, {655}, 1},
      {"down at 25 is 0", 1, {25 * 655}, 1, 0, {0}, 0},
      {"down below 25 is 0", 1, {10 * 655}, 1, 0, {0}, 0},
      {"unknown kind writes nothing", 1, {32750}, 3, 16, {}, 0},
      {"stereo, right louder", 2, {30000, 60000}, 2, 16, {16375, 32750}, 50},
      {"stereo, left louder", 2, {60000, 30000}, 2, 16, {32750, 16375}, 50},
      {"stereo, even", 2, {40000, 40000}, 2, 16, {32750, 32750}, 50},
      {"stereo up from the louder side", 2, {30000, 60000}, 0, 0, {32750, 65500}, 100},
  };
  for (const FaderCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeMixer fake({HandsetDevice(c.channels)});
    HandsetMixers mixers(fake, nullptr);
    fake.SetValues(kSpeakerVolumeId, c.before);
    ASSERT_EQ(mixers.Init(TestWindow()), 3);
    fake.ClearWrites();
    LevelControl& keys = mixers.speakerFader;

    EXPECT_EQ(keys.SetFaderValue(c.kind, c.level), c.position);

    EXPECT_EQ(fake.Values(kSpeakerVolumeId), c.after.empty() ? c.before : c.after);
    EXPECT_EQ(fake.Writes().size(), c.after.empty() ? 0u : 1u);
  }
}

// The level may be changed elsewhere (Windows' own volume control) after the
// fader last looked: a volume key steps from where the device is now.
TEST(MixerFaderTest, VolumeKeysStepFromTheLevelTheDeviceHasNow) {
  const struct {
    const char* name;
    std::uint32_t channels;
    Values atInit;
    Values changedTo;
    int kind;
    Values after;
    int position;
  } cases[] = {
      {"down from a device turned off", 1, {50 * 655}, {0}, 1, {0}, 0},
      {"up from a device turned full", 1, {50 * 655}, {65535}, 0, {65500}, 100},
      {"up from a device turned down", 1, {90 * 655}, {10 * 655}, 0, {35 * 655}, 35},
      {"down keeps the balance the device has now", 2, {40000, 40000}, {30000, 60000}, 1, {21615, 43230}, 66},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeMixer fake({HandsetDevice(c.channels)});
    HandsetMixers mixers(fake, nullptr);
    fake.SetValues(kSpeakerVolumeId, c.atInit);
    ASSERT_EQ(mixers.Init(TestWindow()), 3);
    fake.SetValues(kSpeakerVolumeId, c.changedTo);  // behind the fader's back
    EXPECT_EQ(mixers.speakerFader.SetFaderValue(c.kind, 0), c.position);
    EXPECT_EQ(fake.Values(kSpeakerVolumeId), c.after);
  }
}

TEST(MixerFaderTest, GetFaderLevelReadsTheLouderChannelOnTheLevelScale) {
  const struct {
    std::uint32_t channels;
    Values values;
    int level;
  } cases[] = {
      {1, {0}, 0},          {1, {2047}, 1},  {1, {32750}, 16},
      {1, {65500}, 32},     {1, {65535}, 32}, {2, {10000, 60000}, 29},
      {2, {60000, 10000}, 29}, {2, {32750, 16375}, 16},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.values[0]));
    FakeMixer fake({HandsetDevice(c.channels)});
    HandsetMixers mixers(fake, nullptr);
    ASSERT_EQ(mixers.Init(TestWindow()), 3);
    fake.SetValues(kSpeakerVolumeId, c.values);  // changed behind the fader's back
    EXPECT_EQ(mixers.speakerFader.GetFaderLevel(), c.level);
  }
}

TEST(MixerFaderTest, AControlThatCannotBeReadHasLevelZero) {
  FakeMixer fake({HandsetDevice()});
  HandsetMixers mixers(fake, nullptr);
  fake.SetValues(kSpeakerVolumeId, {32750});
  ASSERT_EQ(mixers.Init(TestWindow()), 3);
  fake.WithControl(kSpeakerVolumeId, [](FakeControl& c) { c.failReads = true; });
  EXPECT_EQ(mixers.speakerFader.GetFaderLevel(), 0);
  fake.WithControl(kSpeakerVolumeId, [](FakeControl& c) { c.failWrites = true; });
  EXPECT_EQ(mixers.speakerFader.SetFaderValue(2, 16), 0);
}

// A control without a step count, or with more steps than units, is moved one
// unit per step; one without a range is not used at all.
TEST(MixerFaderTest, StepCountsThatDoNotFitTheRangeNeverDivideByZero) {
  const struct {
    const char* name;
    std::uint32_t minimum, maximum, steps;
    int ready;
    std::uint32_t level16;  // value written for level 16
    std::uint32_t upFrom0;  // value written by one step up from 0
  } cases[] = {
      {"no step count", 0, 65535, 0, 3, 32767, 25},
      {"more steps than units", 0, 100, 200, 3, 50, 25},
      {"fewer units than a key move", 0, 10, 0, 3, 5, 10},
      {"no range", 5, 5, 10, 2, 0, 0},
      {"maximum below minimum", 10, 5, 10, 2, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeMixer fake({HandsetDevice()});
    fake.WithControl(kSpeakerVolumeId, [&](FakeControl& control) {
      control.control.minimum = c.minimum;
      control.control.maximum = c.maximum;
      control.control.steps = c.steps;
    });
    RecordingMixerTrace trace;
    HandsetMixers mixers(fake, &trace);
    ASSERT_EQ(mixers.Init(TestWindow()), c.ready);
    mixers.speakerFader.SetFaderValue(2, 16);
    EXPECT_EQ(fake.Values(kSpeakerVolumeId), Values{c.level16});
    mixers.speakerFader.SetFaderValue(2, 0);
    mixers.speakerFader.SetFaderValue(0, 0);
    EXPECT_EQ(fake.Values(kSpeakerVolumeId), Values{c.upFrom0});
    if (c.ready == 2) {
      EXPECT_EQ(trace.Lines(), std::vector<std::string>{"CMixerFader::Init: Control has no range."});
      EXPECT_EQ(mixers.speakerFader.GetFaderLevel(), 0);
      EXPECT_EQ(fake.OpenHandles(), 2u);
    }
  }
}

// The handset's device with a microphone volume of `channels` channels
// whose top is `maximum`.
FakeDevice DeviceWithMicrophone(std::uint32_t channels, std::uint32_t maximum) {
  FakeDevice device = HandsetDevice();
  FakeLine& microphone = device.destinations[1].sources[0];
  microphone.line.channels = channels;
  microphone.controls[0] = VolumeControl(kMicVolumeId, channels);
  microphone.controls[0].control.maximum = maximum;
  return device;
}

// A microphone turned (almost) off during a call is raised on every channel,
// to 10000 or the control's top if that is lower; only a raised value is
// written. Handles are given out in the order of opening: speaker,
// microphone, mute.
TEST(MixerFaderTest, AChangeOfTheMicrophoneBelow10000IsRaisedTo10000) {
  const struct {
    const char* name;
    std::uint32_t channels;
    std::uint32_t maximum;
    MixerHandle mixer;
    std::intptr_t controlId;
    Values before;
    std::vector<std::string> writes;
  } cases[] = {
      {"turned down", 1, 65535, 0x101, kMicVolumeId, {5000}, {"3=10000"}},
      {"loud enough", 1, 65535, 0x101, kMicVolumeId, {20000}, {}},
      {"another device's notification", 1, 65535, 0x100, kMicVolumeId, {5000}, {}},
      {"another control", 1, 65535, 0x101, kSpeakerVolumeId, {5000}, {}},
      {"stereo, one side turned down", 2, 65535, 0x101, kMicVolumeId, {20000, 5000}, {"3=20000,10000"}},
      {"stereo, both turned down", 2, 65535, 0x101, kMicVolumeId, {0, 3000}, {"3=10000,10000"}},
      {"a control whose top is below 10000", 1, 8000, 0x101, kMicVolumeId, {5000}, {"3=8000"}},
      {"at the top of such a control", 1, 8000, 0x101, kMicVolumeId, {8000}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeMixer fake({DeviceWithMicrophone(c.channels, c.maximum)});
    HandsetMixers mixers(fake, nullptr);
    ASSERT_EQ(mixers.Init(TestWindow()), 3);
    fake.ClearWrites();
    fake.SetValues(kMicVolumeId, c.before);
    EXPECT_EQ(mixers.micFader.OnControlChange(c.mixer, c.controlId), 0);
    EXPECT_EQ(fake.Writes(), c.writes);
  }
}

}  // namespace
}  // namespace tolvane::testing
