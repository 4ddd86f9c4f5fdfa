#pragma once
// Finding the handset's sound device among the mixer devices: the first
// device that opens and whose product name contains the handset prefix.
// The mixer classes open their device through it, and start-up asks it
// whether the handset's sound device has arrived yet.
#include <cstdint>
#include <string>
#include <string_view>

#include "audio/mixer_api.h"

namespace tolvane {

struct HandsetMixerSearch {
  enum class Outcome {
    kNoDevice,    // the system has no mixer device at all
    kCapsFailed,  // a device opened but would not name itself: the search stopped
    kNotFound,    // no device's name contains the prefix
    kFound,
  };
  Outcome outcome = Outcome::kNoDevice;
  MixerHandle mixer = 0;            // open, and the caller's to close, when found
  std::uint32_t destinations = 0;   // destination lines of the device found
  std::string deviceName;           // the device found
  std::string otherDeviceName;      // the last device looked at that did not match
};

// Devices that fail to open are passed over; every device opened and not
// kept is closed again. A non-null window receives the kept device's change
// notifications.
HandsetMixerSearch FindHandsetMixer(MixerApi& api, std::string_view prefix, WindowHandle window);

// 0: no mixer device (or one that would not name itself), 1: none whose name
// contains the prefix, 2: found. Nothing is left open.
int HandsetMixerPresent(MixerApi& api, std::string_view prefix, WindowHandle window);

}  // namespace tolvane
