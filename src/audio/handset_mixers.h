#pragma once
// The handset's three mixer controls: the speaker level, the microphone
// level and the microphone's mute switch in the speaker mix (set, so that
// the user does not hear their own voice twice).
//
// Start-up makes one HandsetMixers over the winmm port and calls Init each
// time the handset has been opened (Init reopens the device), Close when the
// handset goes away or the machine suspends. Its users:
//   - HandsetControl's ports: speaker = &speakerFader, microphone = &micFader
//     (volume keys and identification, through LevelControl);
//   - the main window's MM_MIXM_CONTROL_CHANGE during a call:
//     micFader.OnControlChange(wParam, lParam);
//   - the volume dialog: GetFaderLevel and SetFaderValue(kFaderSetDialog, level).
// A control whose Init failed stays closed: its operations do nothing and
// return 0.
#include <mutex>
#include <string>

#include "audio/mixer_api.h"
#include "audio/mixer_constants.h"
#include "audio/mixer_fader.h"
#include "audio/mixer_number.h"
#include "audio/mixer_trace.h"
#include "common/abi.h"

namespace tolvane {

class HandsetMixers {
 public:
  // `api` must outlive the object; `trace` may be null. `devicePrefix` is
  // the text the handset's mixer name contains.
  HandsetMixers(MixerApi& api, MixerTrace* trace,
                const std::string& devicePrefix = std::string(mixer::kHandsetMixerPrefix));

  // Opens and finds the three controls, the faders sending their change
  // notifications to `mainWindow`, then mutes the microphone in the speaker
  // mix. Returns how many of the three are ready (3: all).
  int Init(WindowHandle mainWindow);

  void Close();

  // The name of the handset's mixer device the last Init opened; empty
  // before, after Close and when no control could be opened. The session
  // tells the client to use this device.
  std::string DeviceName() const;

  CMixerFader speakerFader;
  CMixerFader micFader;
  CMixerNumber monitorMute;

 private:
  mutable std::mutex nameLock_;
  std::string deviceName_;
};

}  // namespace tolvane
