#include "audio/handset_mixers.h"

namespace tolvane {

HandsetMixers::HandsetMixers(MixerApi& api, MixerTrace* trace, const std::string& devicePrefix)
    : speakerFader(api, trace, devicePrefix), micFader(api, trace, devicePrefix), monitorMute(api, trace, devicePrefix) {}

int HandsetMixers::Init(WindowHandle mainWindow) {
  int ready = speakerFader.Init(mixer::kDstSpeakers, mixer::NoSourceLine, mixer::kVolume,
                                CMixerFader::kVolumeSubtype, mainWindow);
  ready += micFader.Init(mixer::kDstWaveIn, mixer::kSrcMicrophone, mixer::kVolume, CMixerFader::kVolumeSubtype,
                         mainWindow);
  ready += monitorMute.Init(mixer::kDstSpeakers, mixer::kSrcMicrophone, mixer::kMute, 0);
  monitorMute.SetValue(1);
  return ready;
}

void HandsetMixers::Close() {
  speakerFader.Close();
  micFader.Close();
  monitorMute.Close();
}

}  // namespace tolvane
