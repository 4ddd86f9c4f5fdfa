#include "audio/handset_mixers.h"

#include "common/bounded_text.h"

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

  // The three controls look for the same device; the speaker's name serves
  // unless its device did not open.
  std::string name;
  char text[kTextBufferSize];
  const CMixerBase* controls[] = {&speakerFader, &micFader, &monitorMute};
  for (const CMixerBase* control : controls) {
    if (ready != 0 && control->GetDeviceName(text, sizeof text) != 0) {
      name = text;
      break;
    }
  }
  std::lock_guard<std::mutex> hold(nameLock_);
  deviceName_ = std::move(name);
  return ready;
}

void HandsetMixers::Close() {
  speakerFader.Close();
  micFader.Close();
  monitorMute.Close();
  std::lock_guard<std::mutex> hold(nameLock_);
  deviceName_.clear();
}

std::string HandsetMixers::DeviceName() const {
  std::lock_guard<std::mutex> hold(nameLock_);
  return deviceName_;
}

}  // namespace tolvane
