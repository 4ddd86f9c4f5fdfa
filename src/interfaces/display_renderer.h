#pragma once
// Binary interface of the display-text library QorFontProcessLib.dll: the
// renderer instance's operation table and the two entry points. COM-like,
// like the handset library: slot order fixed, standard-call, instance first.
// Results are not acted on by callers.
#include "common/abi.h"

namespace tolvane {

class QorHidCtrl;

class DisplayRenderer {
 public:
  virtual int TOLVANE_STDCALL InitRenderer(const char* programDirectory) = 0;     // 0
  virtual int TOLVANE_STDCALL Reserved1() = 0;                                    // 1, not called
  virtual int TOLVANE_STDCALL ShowText(const char* text) = 0;                     // 2
  virtual int TOLVANE_STDCALL FinishDisplay() = 0;                                // 3
  virtual int TOLVANE_STDCALL FromSkypeText(const char* text, char* out) = 0;     // 4
  virtual int TOLVANE_STDCALL ToSkypeText(const char* text, char* out) = 0;       // 5
  virtual int TOLVANE_STDCALL ShowBalance(int balance) = 0;                      // 6
  virtual int TOLVANE_STDCALL Reserved7() = 0;                                    // 7, not called
  virtual int TOLVANE_STDCALL SetHandsetLibrary(QorHidCtrl* library) = 0;         // 8
  virtual int TOLVANE_STDCALL Reserved9() = 0;                                    // 9, not called
  virtual int TOLVANE_STDCALL CancelDisplay(int abort) = 0;                       // 10
  virtual int TOLVANE_STDCALL SetFontFileSupport(int enabled) = 0;                // 11

 protected:
  ~DisplayRenderer() = default;
};

// Output buffers of FromSkypeText and ToSkypeText hold 255 bytes. The two
// entry points are called through CallEntryPoint, as the handset library's.
using RendererCreateFn = int(TOLVANE_STDCALL*)(DisplayRenderer** instance);
using RendererDeleteFn = int(TOLVANE_STDCALL*)(DisplayRenderer** instance);

}  // namespace tolvane
