#pragma once
// Recording fakes of the ports that HandsetPresence follows the handset
// through: the main window's check timers, the handset's mixer controls and
// the client's launcher. Each adds to an EventLog.
#include <string>

#include "core/fakes/event_log.h"
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

}  // namespace tolvane::testing
