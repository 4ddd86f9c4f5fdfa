#pragma once
// A dialog's combo box as the list that the ring names are put into.
#include "interfaces/dialog_list.h"

namespace tolvane {

class ComboBoxDialogList final : public DialogList {
 public:
  void InsertString(WindowHandle dialog, int controlId, int index, std::string_view text) override;
  void SetCurrentSelection(WindowHandle dialog, int controlId, int index) override;
};

}  // namespace tolvane
