#pragma once
// Recording fakes of the session's small ports: the tray status, the option
// dialogs, the sound mapper and the action pauses. Each adds to an EventLog.
#include <atomic>
#include <chrono>
#include <functional>
#include <string>

#include "core/fakes/event_log.h"
#include "common/action_delay.h"
#include "interfaces/option_dialogs.h"
#include "interfaces/sound_mapper.h"
#include "interfaces/tray_status.h"

namespace tolvane::testing {

// "tip <string id>", "icon <path>".
class RecordingTray final : public TrayStatus {
 public:
  explicit RecordingTray(EventLog& log) : log_(log) {}
  void SetTooltipTextFromResource(int stringId) override { log_.Add("tip " + std::to_string(stringId)); }
  void SetIconFromFile(const char* path) override {
    log_.Add(path == nullptr ? std::string("icon (null)") : "icon " + std::string(path));
  }

 private:
  EventLog& log_;
};

// "dialogs close", "dialogs forget".
class RecordingOptionDialogs final : public OptionDialogs {
 public:
  explicit RecordingOptionDialogs(EventLog& log) : log_(log) {}
  void CloseOpenDialogs() override { log_.Add("dialogs close"); }
  void ForgetWorkerThreads() override { log_.Add("dialogs forget"); }

 private:
  EventLog& log_;
};

// "sound mapper".
class RecordingSoundMapper final : public SoundMapper {
 public:
  explicit RecordingSoundMapper(EventLog& log) : log_(log) {}
  void MoveDefaultDevicesOffHandset() override { log_.Add("sound mapper"); }

 private:
  EventLog& log_;
};

// "sleep <ms>", returning at once (false once cancelled). A test may hook
// each pause, e.g. to let another thread catch up at a known point; the pause
// is logged after the hook has run.
class RecordingDelay final : public ActionDelay {
 public:
  explicit RecordingDelay(EventLog& log) : log_(log) {}
  std::function<void(std::chrono::milliseconds)> onWait;

  bool Wait(std::chrono::milliseconds duration) override {
    if (onWait) onWait(duration);
    log_.Add("sleep " + std::to_string(duration.count()));
    return !cancelled_.load();
  }
  void Cancel() override { cancelled_.store(true); }

 private:
  EventLog& log_;
  std::atomic<bool> cancelled_{false};
};

}  // namespace tolvane::testing
