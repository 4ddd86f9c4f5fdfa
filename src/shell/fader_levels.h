#pragma once
// The Volume Control dialog's levels: the handset's speaker and microphone
// faders on their 0-32 scale.
#include "audio/handset_levels.h"
#include "audio/handset_mixers.h"

namespace tolvane {

class FaderLevels final : public HandsetLevels {
 public:
  explicit FaderLevels(HandsetMixers& mixers) : mixers_(mixers) {}
  int SpeakerLevel() override { return mixers_.speakerFader.GetFaderLevel(); }
  int MicrophoneLevel() override { return mixers_.micFader.GetFaderLevel(); }
  void SetSpeakerLevel(int level) override { mixers_.speakerFader.SetFaderValue(kFaderSetDialog, level); }
  void SetMicrophoneLevel(int level) override { mixers_.micFader.SetFaderValue(kFaderSetDialog, level); }

 private:
  HandsetMixers& mixers_;
};

}  // namespace tolvane
