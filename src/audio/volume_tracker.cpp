#include "audio/volume_tracker.h"

#include <algorithm>

namespace tolvane {

int SliderPosition(int level) { return std::clamp(kSliderBottom - level, 0, kSliderBottom); }

int LevelOfPosition(int position) { return kSliderBottom - std::clamp(position, 0, kSliderBottom); }

void VolumeTracker::Load() {
  shownSpeaker_.store(levels_.SpeakerLevel());
  shownMicrophone_.store(levels_.MicrophoneLevel());
}

SliderMove VolumeTracker::Microphone() {
  return {VolumeSlider::kMicrophone, SliderPosition(shownMicrophone_.load())};
}

SliderMove VolumeTracker::Speaker() { return {VolumeSlider::kSpeaker, SliderPosition(shownSpeaker_.load())}; }

std::optional<SliderMove> VolumeTracker::Poll() {
  const int speaker = levels_.SpeakerLevel();
  const int microphone = levels_.MicrophoneLevel();
  if (shownMicrophone_.exchange(microphone) != microphone) {
    return SliderMove{VolumeSlider::kMicrophone, SliderPosition(microphone)};
  }
  if (shownSpeaker_.exchange(speaker) != speaker) {
    return SliderMove{VolumeSlider::kSpeaker, SliderPosition(speaker)};
  }
  return std::nullopt;
}

void VolumeTracker::OnSlidersMoved(int microphonePosition, int speakerPosition) {
  const int microphone = LevelOfPosition(microphonePosition);
  const int speaker = LevelOfPosition(speakerPosition);
  if (shownMicrophone_.exchange(microphone) != microphone) {
    levels_.SetMicrophoneLevel(microphone);
    return;
  }
  if (shownSpeaker_.exchange(speaker) != speaker) levels_.SetSpeakerLevel(speaker);
}

}  // namespace tolvane
