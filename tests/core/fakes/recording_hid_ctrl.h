#pragma once
// A handset-control library instance that records into an EventLog: "code <n>"
// for SendCode, "display <code> <parameter>" for SendDisplayChar, and the
// other operations by name. Every operation succeeds (returns 0).
// BorrowedHandsetLibrary hands it to a HandsetControl without owning it.
#include <cstdint>
#include <string>

#include "core/fakes/event_log.h"
#include "handset/handset_library.h"
#include "interfaces/hid_ctrl_library.h"

namespace tolvane::testing {

class RecordingHidCtrl final : public QorHidCtrl {
 public:
  explicit RecordingHidCtrl(EventLog& log) : log_(log) {}
  virtual ~RecordingHidCtrl() = default;

  int TOLVANE_STDCALL Reserved0() override { return 0; }
  int TOLVANE_STDCALL CloseDevice() override { return Note("CloseDevice"); }
  int TOLVANE_STDCALL Reserved2() override { return 0; }
  int TOLVANE_STDCALL OpenDevice() override { return Note("OpenDevice"); }
  int TOLVANE_STDCALL ShutdownDevice() override { return Note("ShutdownDevice"); }
  int TOLVANE_STDCALL StartDevice(WindowHandle /*notify*/) override { return Note("StartDevice"); }
  int TOLVANE_STDCALL AbortStart() override { return Note("AbortStart"); }
  int TOLVANE_STDCALL Reserved7() override { return 0; }
  int TOLVANE_STDCALL SendCode(std::uint8_t code) override {
    log_.Add("code " + std::to_string(code));
    return 0;
  }
  int TOLVANE_STDCALL SendDisplayChar(int code, int parameter) override {
    log_.Add("display " + std::to_string(code) + " " + std::to_string(parameter));
    return 0;
  }
  int TOLVANE_STDCALL WriteDeviceSetting(int a, int b, int c) override {
    log_.Add("setting " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c));
    return 0;
  }
  int TOLVANE_STDCALL Reserved11() override { return 0; }
  int TOLVANE_STDCALL SetDisplayRenderer(DisplayRenderer* /*renderer*/) override {
    return Note("SetDisplayRenderer");
  }

 private:
  int Note(const char* operation) {
    log_.Add(std::string("hid ") + operation);
    return 0;
  }

  EventLog& log_;
};

class BorrowedHandsetLibrary final : public HandsetLibrary {
 public:
  explicit BorrowedHandsetLibrary(QorHidCtrl* instance) : instance_(instance) {}
  QorHidCtrl* Instance() const override { return instance_; }

 private:
  QorHidCtrl* instance_;
};

}  // namespace tolvane::testing
