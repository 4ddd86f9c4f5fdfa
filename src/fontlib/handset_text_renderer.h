#pragma once
// The renderer that QorFontProcessLib.dll hands to the program. It keeps one
// prepared screen text and streams it to the handset, one character per
// SendDisplayChar call, when the indicator thread asks for it.
//
// Threads: ShowText and ShowBalance come from the dispatcher and the report
// thread, FinishDisplay runs on the indicator thread, CancelDisplay comes from
// any of them. The prepared text is guarded by a mutex that is never held
// while the handset library is called, so a slow handset cannot block a
// caller that prepares the next screen.
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "fontlib/local_code_page.h"
#include "interfaces/display_renderer.h"

namespace tolvane::fontlib {

// The handset takes characters at the pace the program streams handles at.
void PaceOneMillisecond();

class HandsetTextRenderer final : public DisplayRenderer {
 public:
  // pauseBetweenCharacters runs between two characters of a stream.
  HandsetTextRenderer(std::unique_ptr<const LocalCodePage> codePage,
                      std::function<void()> pauseBetweenCharacters);
  ~HandsetTextRenderer() = default;
  HandsetTextRenderer(const HandsetTextRenderer&) = delete;
  HandsetTextRenderer& operator=(const HandsetTextRenderer&) = delete;

  int TOLVANE_STDCALL InitRenderer(const char* programDirectory) override;
  int TOLVANE_STDCALL Reserved1() override;
  int TOLVANE_STDCALL ShowText(const char* text) override;
  int TOLVANE_STDCALL FinishDisplay() override;
  int TOLVANE_STDCALL FromSkypeText(const char* text, char* out) override;
  int TOLVANE_STDCALL ToSkypeText(const char* text, char* out) override;
  int TOLVANE_STDCALL ShowBalance(int balance) override;
  int TOLVANE_STDCALL Reserved7() override;
  int TOLVANE_STDCALL SetHandsetLibrary(QorHidCtrl* library) override;
  int TOLVANE_STDCALL Reserved9() override;
  int TOLVANE_STDCALL CancelDisplay(int abort) override;
  int TOLVANE_STDCALL SetFontFileSupport(int enabled) override;

 private:
  std::string ScreenText() const;
  void Prepare(std::string text);
  // Sends one display code; false when the handset refused it or a cancel is
  // pending, which ends the stream.
  bool Send(QorHidCtrl& library, int code, int parameter);

  const std::unique_ptr<const LocalCodePage> codePage_;
  const std::function<void()> pauseBetweenCharacters_;
  std::atomic<QorHidCtrl*> handsetLibrary_{nullptr};
  std::atomic<bool> cancelRequested_{false};
  // The font-file option and the program directory are kept as the
  // interface hands them over; this renderer sends the handset's own
  // characters and reads no font file, so nothing consults them yet.
  std::atomic<bool> fontFileSupport_{false};

  mutable std::mutex mutex_;
  std::string screenText_;        // guarded by mutex_
  std::string programDirectory_;  // guarded by mutex_
};

}  // namespace tolvane::fontlib
