#pragma once
// A DialogList that records "<dialog>/<control> insert <index> '<text>'" and
// "<dialog>/<control> select <index>".
#include <cstdint>
#include <string>
#include <vector>

#include "interfaces/dialog_list.h"

namespace tolvane::testing {

class RecordingDialogList final : public DialogList {
 public:
  void InsertString(WindowHandle dialog, int controlId, int index, std::string_view text) override {
    events.push_back(Control(dialog, controlId) + " insert " + std::to_string(index) + " '" + std::string(text) +
                     "'");
  }
  void SetCurrentSelection(WindowHandle dialog, int controlId, int index) override {
    events.push_back(Control(dialog, controlId) + " select " + std::to_string(index));
  }

  std::vector<std::string> events;

 private:
  static std::string Control(WindowHandle dialog, int controlId) {
    return std::to_string(reinterpret_cast<std::uintptr_t>(dialog)) + "/" + std::to_string(controlId);
  }
};

}  // namespace tolvane::testing
