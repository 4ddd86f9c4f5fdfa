#pragma once
// Recording fakes of the ports that HandsetPresence follows the handset
// through: the main window's check timers, the handset's mixer controls and
// the client's launcher. Each adds to an EventLog.
#include <string>

#include "core/fakes/event_log.h"
#include "core/fakes/fake_client_windows.h"
#include "core/fakes/recording_contact_list.h"
#include "core/fakes/recording_phone_state.h"
#include "core/fakes/recording_ports.h"
#include "shell/handset_presence.h"

namespace tolvane::testing {

// "arm arrival|removal <ms>", "disarm arrival|removal".
class RecordingTimers final : public CheckTimers {
 public:
  explicit RecordingTimers(EventLog& log) : log_(log) {}
  void Arm(unsigned id, unsigned ms) override { log_.Add("arm " + Name(id) + " " + std::to_string(ms)); }
  void Disarm(unsigned id) override { log_.Add("disarm " + Name(id)); }

 private:
  static std::string Name(unsigned id) { return id == HandsetPresence::kArrivalTimer ? "arrival" : "removal"; }
  EventLog& log_;
};

// "mixers open", "mixers close"; Present() answers `present` (2: found).
class RecordingMixers final : public MixerControls {
 public:
  explicit RecordingMixers(EventLog& log) : log_(log) {}
  void Open() override { log_.Add("mixers open"); }
  void Close() override { log_.Add("mixers close"); }
  int Present() override { return present; }
  int present = 2;

 private:
  EventLog& log_;
};

// "launch registered" (answering `registered`), "launch default".
class RecordingLauncher final : public ClientLauncher {
 public:
  explicit RecordingLauncher(EventLog& log) : log_(log) {}
  bool LaunchFromRegistry() override {
    log_.Add("launch registered");
    return registered;
  }
  void LaunchDefault() override { log_.Add("launch default"); }
  bool registered = true;

 private:
  EventLog& log_;
};

// Everything a HandsetPresence reaches besides the handset and the session,
// recording into one log; Parts wires it to the given handset and session.
struct PresenceFakes {
  explicit PresenceFakes(EventLog& log)
      : phone{log}, contacts{log}, mixers{log}, timers{log}, launcher{log}, soundMapper{log} {}

  HandsetPresence::Parts Parts(IHandsetControl* handset, ISkypeLink* link, WindowHandle mainWindow,
                               int versionClass) {
    HandsetPresence::Parts parts;
    parts.handset = handset;
    parts.link = link;
    parts.phoneState = &phone;
    parts.contactList = &contacts;
    parts.mixers = &mixers;
    parts.timers = &timers;
    parts.launcher = &launcher;
    parts.windows = &windows;
    parts.soundMapper = &soundMapper;
    parts.mainWindow = mainWindow;
    parts.windowsVersionClass = versionClass;
    return parts;
  }

  RecordingPhoneState phone;
  RecordingContactList contacts;
  RecordingMixers mixers;
  RecordingTimers timers;
  RecordingLauncher launcher;
  FakeClientWindows windows;
  RecordingSoundMapper soundMapper;
};

}  // namespace tolvane::testing
