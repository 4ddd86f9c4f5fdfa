#include "fontlib/handset_text_renderer.h"

#include <chrono>
#include <thread>
#include <utility>

#include "common/status.h"
#include "fontlib/handset_text.h"
#include "fontlib/skype_text.h"
#include "interfaces/handset_codes.h"
#include "interfaces/hid_ctrl_library.h"

namespace tolvane::fontlib {
namespace {

// The operations are called across the library boundary: nothing may unwind
// into the program, so an operation that throws (out of memory) just fails.
template <typename Operation>
int Guarded(Operation operation) noexcept {
  try {
    return operation();
  } catch (...) {
    return kFail;
  }
}

}  // namespace

void PaceOneMillisecond() { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }

HandsetTextRenderer::HandsetTextRenderer(std::unique_ptr<const LocalCodePage> codePage,
                                         std::function<void()> pauseBetweenCharacters)
    : codePage_(std::move(codePage)), pauseBetweenCharacters_(std::move(pauseBetweenCharacters)) {}

int TOLVANE_STDCALL HandsetTextRenderer::InitRenderer(const char* programDirectory) {
  return Guarded([&] {
    std::lock_guard lock(mutex_);
    programDirectory_ = programDirectory != nullptr ? programDirectory : "";
    return kOk;
  });
}

int TOLVANE_STDCALL HandsetTextRenderer::ShowText(const char* text) {
  return Guarded([&] {
    Prepare(ToHandsetText(text != nullptr ? text : ""));
    return kOk;
  });
}

int TOLVANE_STDCALL HandsetTextRenderer::ShowBalance(int balance) {
  return Guarded([&] {
    Prepare(FormatBalance(balance));
    return kOk;
  });
}

void HandsetTextRenderer::Prepare(std::string text) {
  std::lock_guard lock(mutex_);
  screenText_ = std::move(text);
}

int TOLVANE_STDCALL HandsetTextRenderer::FinishDisplay() {
  return Guarded([&] {
    QorHidCtrl* library = handsetLibrary_.load();
    if (library == nullptr) return kFail;
    // A copy, so the handset is fed without the lock while the next screen
    // may already be prepared.
    const std::string text = ScreenText();
    if (!Send(*library, kDisplayFieldName, kDisplayFieldParameter)) return kFail;
    int parameter = kDisplayFirstCharParameter;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (i != 0 && pauseBetweenCharacters_) pauseBetweenCharacters_();
      if (!Send(*library, static_cast<unsigned char>(text[i]), parameter)) return kFail;
      parameter = parameter == kDisplayFirstCharParameter ? kDisplayNextCharParameter : kDisplayFirstCharParameter;
    }
    return kOk;
  });
}

bool HandsetTextRenderer::Send(QorHidCtrl& library, int code, int parameter) {
  if (cancelRequested_.load()) return false;
  // A handset that refuses a character has gone away or lost the screen; the
  // rest of the text would be refused as well.
  return library.SendDisplayChar(code, parameter) == 0;
}

int TOLVANE_STDCALL HandsetTextRenderer::CancelDisplay(int abort) {
  cancelRequested_.store(abort != 0);
  return kOk;
}

int TOLVANE_STDCALL HandsetTextRenderer::FromSkypeText(const char* text, char* out) {
  return Guarded([&] {
    if (out == nullptr) return kFail;
    SkypeToLocalText(*codePage_, text != nullptr ? text : "", out);
    return kOk;
  });
}

int TOLVANE_STDCALL HandsetTextRenderer::ToSkypeText(const char* text, char* out) {
  return Guarded([&] {
    if (out == nullptr) return kFail;
    LocalToSkypeText(*codePage_, text != nullptr ? text : "", out);
    return kOk;
  });
}

int TOLVANE_STDCALL HandsetTextRenderer::SetHandsetLibrary(QorHidCtrl* library) {
  handsetLibrary_.store(library);
  return kOk;
}

int TOLVANE_STDCALL HandsetTextRenderer::SetFontFileSupport(int enabled) {
  // Recorded only: the library ships no font files, and with or without them
  // the handset is sent characters it draws itself.
  fontFileSupport_.store(enabled != 0);
  return kOk;
}

// The program never calls these slots; they exist to keep the table's layout.
int TOLVANE_STDCALL HandsetTextRenderer::Reserved1() { return kFail; }
int TOLVANE_STDCALL HandsetTextRenderer::Reserved7() { return kFail; }
int TOLVANE_STDCALL HandsetTextRenderer::Reserved9() { return kFail; }

std::string HandsetTextRenderer::ScreenText() const {
  std::lock_guard lock(mutex_);
  return screenText_;
}

}  // namespace tolvane::fontlib
