#pragma once
// The handset's three mixer controls as the handset's presence opens and
// closes them, and the look for the handset's mixer device. The device's
// name goes to the session each time (empty once closed), which sets the
// client's audio devices to it on attach.
#include <functional>
#include <string>
#include <string_view>

#include "audio/handset_mixer_search.h"
#include "audio/handset_mixers.h"
#include "shell/handset_presence.h"

namespace tolvane {

class HandsetMixerControls final : public MixerControls {
 public:
  using DeviceNamed = std::function<void(std::string_view name)>;

  // Every argument must outlive the object.
  HandsetMixerControls(HandsetMixers& mixers, MixerApi& api, std::string prefix, WindowHandle window,
                       DeviceNamed deviceNamed)
      : mixers_(mixers), api_(api), prefix_(std::move(prefix)), window_(window), deviceNamed_(std::move(deviceNamed)) {}

  void Open() override {
    mixers_.Init(window_);
    deviceNamed_(mixers_.DeviceName());
  }
  void Close() override {
    mixers_.Close();
    deviceNamed_({});
  }
  int Present() override { return HandsetMixerPresent(api_, prefix_, window_); }

 private:
  HandsetMixers& mixers_;
  MixerApi& api_;
  std::string prefix_;
  WindowHandle window_;
  DeviceNamed deviceNamed_;
};

}  // namespace tolvane
