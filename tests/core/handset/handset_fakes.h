#pragma once
// Fakes around HandsetControl: a handset library instance whose results the
// test sets and whose calls go into an EventLog ("lib <Operation> ..."), the
// holder that hands it over ("lib released" when let go), a session that
// records what the key handling asks of it ("link <Operation> ..."), the
// handset's pacing ("pause <ms>"), its threads ("thread <role> ended") and
// the reports the main window hands over.
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

#include "common/thread_starter.h"
#include "core/fakes/event_log.h"
#include "handset/handset_library.h"
#include "handset/handset_report.h"
#include "interfaces/handset_codes.h"
#include "core/fakes/null_skype_link.h"
#include "common/action_delay.h"

namespace tolvane::testing {

class FakeHidCtrl final : public QorHidCtrl {
 public:
  explicit FakeHidCtrl(EventLog& log) : log_(log) {}
  virtual ~FakeHidCtrl() = default;

  // What every operation returns (0 = success for the library).
  std::atomic<int> result{0};

  int TOLVANE_STDCALL Reserved0() override { return Record("Reserved0"); }
  int TOLVANE_STDCALL CloseDevice() override { return Record("CloseDevice"); }
  int TOLVANE_STDCALL Reserved2() override { return Record("Reserved2"); }
  int TOLVANE_STDCALL OpenDevice() override { return Record("OpenDevice"); }
  int TOLVANE_STDCALL ShutdownDevice() override { return Record("ShutdownDevice"); }
  int TOLVANE_STDCALL StartDevice(WindowHandle notify) override {
    return Record(notify != nullptr ? "StartDevice window" : "StartDevice null");
  }
  int TOLVANE_STDCALL AbortStart() override { return Record("AbortStart"); }
  int TOLVANE_STDCALL Reserved7() override { return Record("Reserved7"); }
  int TOLVANE_STDCALL SendCode(std::uint8_t code) override { return Record("SendCode " + std::to_string(code)); }
  int TOLVANE_STDCALL SendDisplayChar(int code, int parameter) override {
    return Record("SendDisplayChar " + std::to_string(code) + " " + std::to_string(parameter));
  }
  int TOLVANE_STDCALL WriteDeviceSetting(int a, int b, int c) override {
    return Record("WriteDeviceSetting " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c));
  }
  int TOLVANE_STDCALL Reserved11() override { return Record("Reserved11"); }
  int TOLVANE_STDCALL SetDisplayRenderer(DisplayRenderer* renderer) override {
    return Record(renderer != nullptr ? "SetDisplayRenderer set" : "SetDisplayRenderer null");
  }

 private:
  int Record(const std::string& what) {
    log_.Add("lib " + what);
    return result.load();
  }
  EventLog& log_;
};

class FakeHandsetLibrary final : public HandsetLibrary {
 public:
  FakeHandsetLibrary(EventLog& log, QorHidCtrl* instance) : log_(log), instance_(instance) {}
  ~FakeHandsetLibrary() override { log_.Add("lib released"); }
  QorHidCtrl* Instance() const override { return instance_; }

 private:
  EventLog& log_;
  QorHidCtrl* instance_;
};

class RecordingSkypeLink final : public NullSkypeLink {
 public:
  explicit RecordingSkypeLink(EventLog& log) : log_(log) {}

  std::atomic<int> userStatus{3};
  // Runs on the sending thread before a SendCommand is logged.
  std::function<void(int kind)> beforeSendCommand;

  Status QueueCommand(const char* line) override { return Add("QueueCommand " + std::string(line)); }
  Status SendCommand(int kind, const char*, int callId) override {
    if (beforeSendCommand) beforeSendCommand(kind);
    return Add("SendCommand " + std::to_string(kind) + " " + std::to_string(callId));
  }
  Status SetHandsetAttached(int value) override { return Add("SetHandsetAttached " + std::to_string(value)); }
  Status RunSessionAction(int code) override { return Add("RunSessionAction " + std::to_string(code)); }
  Status UpdateStatusTip() override { return Add("UpdateStatusTip"); }
  Status GetUserStatus(int* out) override {
    *out = userStatus.load();
    return kOk;
  }
  Status ShowMissedCalls(int flag) override { return Add("ShowMissedCalls " + std::to_string(flag)); }
  Status SendUserStatusCode(int status) override { return Add("SendUserStatusCode " + std::to_string(status)); }

 private:
  Status Add(const std::string& what) {
    log_.Add("link " + what);
    return kOk;
  }
  EventLog& log_;
};

// The handset's pauses, logged as "pause <ms>" and over at once. A test may
// hook each pause (the hook runs on the pausing thread, before the pause is
// logged), e.g. to stop the indicator at a known point or to hold it there.
class RecordingPacing final : public ActionDelay {
 public:
  explicit RecordingPacing(EventLog& log) : log_(log) {}
  std::function<void(std::chrono::milliseconds)> onWait;

  bool Wait(std::chrono::milliseconds duration) override {
    if (onWait) onWait(duration);
    log_.Add("pause " + std::to_string(duration.count()));
    return true;
  }
  void Cancel() override {}

 private:
  EventLog& log_;
};

// Starts threads for real and logs when one has run to its very end, after
// its last step under the handset's locks: a screen's run is then over for
// good. The body holds the log, not this object.
class EndLoggingThreads final : public ThreadStarter {
 public:
  explicit EndLoggingThreads(EventLog& log) : log_(log) {}

  bool Start(std::thread& thread, std::string_view role, std::function<void()> body) override {
    return real_.Start(thread, role, [&log = log_, ended = "thread " + std::string(role) + " ended",
                                      body = std::move(body)] {
      body();
      log.Add(ended);
    });
  }

 private:
  EventLog& log_;
  StdThreadStarter real_;
};

constexpr std::uint32_t MakeReport(int key, int sequence) {
  return (static_cast<std::uint32_t>(key) << 8) | static_cast<std::uint32_t>(sequence);
}

// The first report of a session is taken whatever its number, and a display
// request taken in turn asks for nothing: queued first, this one leaves the
// turn at 1 and the next display request (numbers 4-7) out of turn.
inline constexpr std::uint32_t kOpeningReport = MakeReport(kKeyDisplayRequest, 0);
inline constexpr std::uint32_t kDisplayRequest = MakeReport(kKeyDisplayRequest, 4);
inline constexpr char kRunEnded[] = "thread indicator ended";

// The acknowledgement of a key report numbered n.
inline std::string Ack(int n) { return "lib SendCode " + std::to_string(0x50 + n); }

}  // namespace tolvane::testing
