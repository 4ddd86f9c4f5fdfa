// The Volume Control sliders: positions are 31 minus the level, the poll
// moves at most one slider a round (the microphone's first), and a slider
// moved by the user sets its own level only.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/volume_tracker.h"

namespace tolvane {
namespace {

class FakeLevels final : public HandsetLevels {
 public:
  int SpeakerLevel() override { return speaker; }
  int MicrophoneLevel() override { return microphone; }
  void SetSpeakerLevel(int level) override { set.push_back("speaker " + std::to_string(level)); speaker = level; }
  void SetMicrophoneLevel(int level) override { set.push_back("mic " + std::to_string(level)); microphone = level; }
  int speaker = 16;
  int microphone = 8;
  std::vector<std::string> set;
};

TEST(VolumeTrackerTest, PositionsAreInvertedAndBounded) {
  for (const auto& [level, position] : std::vector<std::pair<int, int>>{{0, 31}, {31, 0}, {32, 0}, {16, 15}, {-3, 31}}) {
    EXPECT_EQ(SliderPosition(level), position) << level;
  }
  EXPECT_EQ(LevelOfPosition(0), 31);
  EXPECT_EQ(LevelOfPosition(31), 0);
}

TEST(VolumeTrackerTest, ThePollMovesOneSliderARoundMicrophoneFirst) {
  FakeLevels levels;
  VolumeTracker tracker(levels);
  tracker.Load();
  EXPECT_EQ(tracker.Microphone().position, 23);
  EXPECT_EQ(tracker.Speaker().position, 15);
  EXPECT_FALSE(tracker.Poll());

  levels.speaker = 20;
  levels.microphone = 32;
  const auto first = tracker.Poll();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->slider, VolumeSlider::kMicrophone);
  EXPECT_EQ(first->position, 0);
  const auto second = tracker.Poll();
  ASSERT_TRUE(second);
  EXPECT_EQ(second->slider, VolumeSlider::kSpeaker);
  EXPECT_EQ(second->position, 11);
  EXPECT_FALSE(tracker.Poll());
}

TEST(VolumeTrackerTest, TheUsersSliderSetsItsOwnLevel) {
  FakeLevels levels;
  VolumeTracker tracker(levels);
  tracker.Load();
  tracker.OnSlidersMoved(23, 0);  // microphone unchanged, speaker to the top
  tracker.OnSlidersMoved(0, 0);   // microphone to the top
  tracker.OnSlidersMoved(0, 0);   // nothing changed
  EXPECT_EQ(levels.set, (std::vector<std::string>{"speaker 31", "mic 31"}));
  // What the user set is what the poll compares with.
  EXPECT_FALSE(tracker.Poll());
}

}  // namespace
}  // namespace tolvane
