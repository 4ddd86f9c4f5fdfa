// Entry points of QorFontProcessLib.dll, exported undecorated through
// QorFontProcessLib.def. Each takes the address of the program's renderer
// pointer; non-zero means success.
#include <memory>
#include <new>

#include "fontlib/ansi_code_page_win.h"
#include "fontlib/handset_text_renderer.h"

using tolvane::DisplayRenderer;
using tolvane::fontlib::AnsiCodePage;
using tolvane::fontlib::HandsetTextRenderer;

extern "C" int TOLVANE_STDCALL CreateComponentInstance(DisplayRenderer** instance) {
  if (instance == nullptr) return 0;
  *instance = nullptr;
  try {
    *instance = new HandsetTextRenderer(std::make_unique<AnsiCodePage>(),
                                        tolvane::fontlib::PaceOneMillisecond);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return 1;
}

extern "C" int TOLVANE_STDCALL DeleteComponentInstance(DisplayRenderer** instance) {
  if (instance == nullptr || *instance == nullptr) return 0;
  // Every instance the program holds came from CreateComponentInstance.
  delete static_cast<HandsetTextRenderer*>(*instance);
  *instance = nullptr;
  return 1;
}
