#include "config/dialog_list_win.h"

#include <windows.h>

#include <string>

namespace tolvane {

void ComboBoxDialogList::InsertString(WindowHandle dialog, int controlId, int index, std::string_view text) {
  const std::string copy(text);
  SendDlgItemMessageA(static_cast<HWND>(dialog), controlId, CB_INSERTSTRING, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(copy.c_str()));
}

void ComboBoxDialogList::SetCurrentSelection(WindowHandle dialog, int controlId, int index) {
  SendDlgItemMessageA(static_cast<HWND>(dialog), controlId, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

}  // namespace tolvane
