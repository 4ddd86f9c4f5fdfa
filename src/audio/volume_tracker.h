#pragma once
// The Volume Control dialog's sliders and the levels they show. The sliders
// run 0-31 with the loud end at the top (position 0), so a position is 31
// minus the level; the mixer's top level 32 shows at the top as well.
//
// The levels last shown are shared by the dialog (the user moves a slider)
// and its polling worker (the mixer changed), hence atomic.
#include <atomic>
#include <optional>

#include "audio/handset_levels.h"

namespace tolvane {

enum class VolumeSlider { kMicrophone, kSpeaker };

struct SliderMove {
  VolumeSlider slider;
  int position;
};

inline constexpr int kSliderBottom = 31;

// Slider position of a 0-32 level, within 0-31.
int SliderPosition(int level);
// Level of a slider position.
int LevelOfPosition(int position);

class VolumeTracker {
 public:
  explicit VolumeTracker(HandsetLevels& levels) : levels_(levels) {}

  // Reads both levels and remembers them as shown; the two positions.
  SliderMove Microphone();
  SliderMove Speaker();
  void Load();

  // One polling round: reads the speaker, then the microphone level; moves
  // at most one slider, the microphone's first, when its level changed.
  std::optional<SliderMove> Poll();

  // The user left the sliders at these positions: the microphone's level is
  // set when it differs from the one shown, else the speaker's.
  void OnSlidersMoved(int microphonePosition, int speakerPosition);

 private:
  HandsetLevels& levels_;
  std::atomic<int> shownMicrophone_{0};
  std::atomic<int> shownSpeaker_{0};
};

}  // namespace tolvane
