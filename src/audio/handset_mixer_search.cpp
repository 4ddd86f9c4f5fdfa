#include "audio/handset_mixer_search.h"

#include <utility>

namespace tolvane {

HandsetMixerSearch FindHandsetMixer(MixerApi& api, std::string_view prefix, WindowHandle window) {
  HandsetMixerSearch search;
  const unsigned count = api.DeviceCount();
  if (count == 0) return search;
  search.outcome = HandsetMixerSearch::Outcome::kNotFound;
  for (unsigned index = 0; index < count; ++index) {
    MixerHandle mixer = 0;
    if (!api.Open(index, window, &mixer)) continue;
    MixerCaps caps;
    if (!api.GetCaps(mixer, &caps)) {
      api.Close(mixer);
      search.outcome = HandsetMixerSearch::Outcome::kCapsFailed;
      return search;
    }
    if (caps.name.find(prefix) != std::string::npos) {
      search.outcome = HandsetMixerSearch::Outcome::kFound;
      search.mixer = mixer;
      search.destinations = caps.destinations;
      search.deviceName = std::move(caps.name);
      return search;
    }
    search.otherDeviceName = std::move(caps.name);
    api.Close(mixer);
  }
  return search;
}

int HandsetMixerPresent(MixerApi& api, std::string_view prefix, WindowHandle window) {
  HandsetMixerSearch search = FindHandsetMixer(api, prefix, window);
  switch (search.outcome) {
    case HandsetMixerSearch::Outcome::kFound:
      api.Close(search.mixer);
      return 2;
    case HandsetMixerSearch::Outcome::kNotFound:
      return 1;
    default:
      return 0;
  }
}

}  // namespace tolvane
