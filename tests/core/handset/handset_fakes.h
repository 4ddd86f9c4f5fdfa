#pragma once
// Fakes around HandsetControl: a handset library instance whose results the
// test sets and whose calls go into an EventLog ("lib <Operation> ..."), the
// holder that hands it over ("lib released" when let go), a session that
// records what the key handling asks of it ("link <Operation> ..."), and the
// handset's pacing ("pause <ms>").
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "core/fakes/event_log.h"
#include "handset/handset_library.h"
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

  Status QueueCommand(const char* line) override { return Add("QueueCommand " + std::string(line)); }
  Status SendCommand(int kind, const char*, int callId) override {
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

}  // namespace tolvane::testing
