#pragma once
// The options that HandsetControl holds for the whole program, filled from
// the configuration file at start-up (config/configuration.h) and read by
// the dispatcher, the report thread, the session actions, the shell and the
// dialogs. Each value is one atomic word: the UI thread and the dialogs write
// them while the worker threads read them, with no lock.
//
// Flags are 0 or 1. The initial values are those in force before the file
// is read (and those of a missing file).
#include <atomic>

namespace tolvane {

struct HandsetSettings {
  // Kept negated: 1 = display names are rendered as text on the handset,
  // 0 = handles are shown instead (FONT NotSupportedFont is not 0).
  std::atomic<int> NotSupportedFont{1};
  // Passed to the display renderer once it is created.
  std::atomic<int> SupportFontFile{0};
  // Show the tray icon.
  std::atomic<int> SupportSky{1};
  // Close (hide) the client's main window when the hook goes down.
  std::atomic<int> SupportHideWindows{1};
  // Automatic gain control device setting of the handset.
  std::atomic<int> SupportAGC{0};

  // The three options of the Advanced Settings dialog. Each has a product
  // default (SYSTEM section) and the effective value (the user's choice of
  // the SETTINGS section, or the product default when there is none).
  std::atomic<int> defaultAutoRunSkype{0};
  std::atomic<int> SupportAutoRunSkype{0};
  std::atomic<int> defaultAutoSwitchAudioDevice{0};
  std::atomic<int> SupportAutoSwitchAudioDevice{0};
  std::atomic<int> defaultEnableKeyTone{0};
  std::atomic<int> SupportEnableKeyTone{0};

  // Point the Windows default audio devices away from the handset.
  std::atomic<int> SupportAutoSwitchSystemAudioDevice{0};
  // The UP and DOWN keys first bring the client's contact page forward.
  std::atomic<int> SupportFocusAddressBook{0};
  // Ring the handset for a second incoming call.
  std::atomic<int> SupportInterruptRingON{0};
  // Show the contact focused in the client on the handset.
  std::atomic<int> SupportContactFocus{0};
  // Read from the file and kept; nothing acts on it.
  std::atomic<int> SupprtAPIControlSpeakerVolune{0};

  // Speaker and microphone levels (0-32) set when the handset identifies
  // itself.
  std::atomic<int> Reg04Value{16};
  std::atomic<int> Reg1CValue{8};
};

}  // namespace tolvane
