#pragma once
// The handset's three mixer controls as the handset's presence opens and
// closes them, and the look for the handset's mixer device.
#include <string>

#include "audio/handset_mixer_search.h"
#include "audio/handset_mixers.h"
#include "shell/handset_presence.h"

namespace tolvane {

class HandsetMixerControls final : public MixerControls {
 public:
  // Every argument must outlive the object.
  HandsetMixerControls(HandsetMixers& mixers, MixerApi& api, std::string prefix, WindowHandle window)
      : mixers_(mixers), api_(api), prefix_(std::move(prefix)), window_(window) {}

  void Open() override { mixers_.Init(window_); }
  void Close() override { mixers_.Close(); }
  int Present() override { return HandsetMixerPresent(api_, prefix_, window_); }

 private:
  HandsetMixers& mixers_;
  MixerApi& api_;
  std::string prefix_;
  WindowHandle window_;
};

}  // namespace tolvane
