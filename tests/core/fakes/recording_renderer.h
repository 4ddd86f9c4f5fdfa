#pragma once
// A DisplayRenderer that records into an EventLog ("renderer <Operation> ...")
// and converts texts visibly: ToSkypeText yields "to-skype(<text>)" and
// FromSkypeText "from-skype(<text>)", cut to the 255-byte output buffer.
#include <atomic>
#include <string>

#include "common/bounded_text.h"
#include "core/fakes/event_log.h"
#include "interfaces/display_renderer.h"

namespace tolvane::testing {

class RecordingRenderer final : public DisplayRenderer {
 public:
  explicit RecordingRenderer(EventLog& log) : log_(log) {}
  virtual ~RecordingRenderer() = default;

  int TOLVANE_STDCALL InitRenderer(const char* programDirectory) override {
    log_.Add("renderer InitRenderer " + std::string(programDirectory));
    return 0;
  }
  int TOLVANE_STDCALL Reserved1() override { return 0; }
  int TOLVANE_STDCALL ShowText(const char* text) override {
    log_.Add("renderer ShowText " + std::string(text));
    return 0;
  }
  int TOLVANE_STDCALL FinishDisplay() override {
    log_.Add("renderer FinishDisplay");
    return 0;
  }
  int TOLVANE_STDCALL FromSkypeText(const char* text, char* out) override {
    CopyText(out, "from-skype(" + std::string(text) + ")");
    return 0;
  }
  int TOLVANE_STDCALL ToSkypeText(const char* text, char* out) override {
    CopyText(out, "to-skype(" + std::string(text) + ")");
    return 0;
  }
  int TOLVANE_STDCALL ShowBalance(int balance) override {
    log_.Add("renderer ShowBalance " + std::to_string(balance));
    return 0;
  }
  int TOLVANE_STDCALL Reserved7() override { return 0; }
  int TOLVANE_STDCALL SetHandsetLibrary(QorHidCtrl* /*library*/) override { return 0; }
  int TOLVANE_STDCALL Reserved9() override { return 0; }
  int TOLVANE_STDCALL CancelDisplay(int abort) override {
    cancelled_.store(abort != 0);
    log_.Add("renderer CancelDisplay " + std::to_string(abort));
    return 0;
  }
  // Whether the last CancelDisplay asked the renderer to abandon its work:
  // a real renderer then streams no text until it is told to go on.
  bool Cancelled() const { return cancelled_.load(); }
  int TOLVANE_STDCALL SetFontFileSupport(int enabled) override {
    log_.Add("renderer SetFontFileSupport " + std::to_string(enabled));
    return 0;
  }

 private:
  EventLog& log_;
  std::atomic<bool> cancelled_{false};
};

}  // namespace tolvane::testing
