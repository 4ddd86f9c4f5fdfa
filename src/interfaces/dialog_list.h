#pragma once
// A list control of a dialog (a combo box on Windows), as the portable core
// fills it. The Win32 adapter is dialog_list_win.h.
#include <string_view>

#include "common/abi.h"

namespace tolvane {

class DialogList {
 public:
  virtual ~DialogList() = default;
  // Inserts text at position index of the dialog's control controlId.
  virtual void InsertString(WindowHandle dialog, int controlId, int index, std::string_view text) = 0;
  // Selects the entry at position index.
  virtual void SetCurrentSelection(WindowHandle dialog, int controlId, int index) = 0;
};

}  // namespace tolvane
