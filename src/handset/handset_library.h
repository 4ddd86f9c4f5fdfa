#pragma once
// The loaded handset-control library as HandsetControl owns it: the instance
// while it lives, and the unloading when the owner lets go. The Win32 loader
// (hid_ctrl_loader_win.h) is the product's implementation; tests hand in a
// fake instance.
#include "interfaces/hid_ctrl_library.h"

namespace tolvane {

class HandsetLibrary {
 public:
  virtual ~HandsetLibrary() = default;  // shuts the device down and unloads
  // Null when the library could not be loaded or gave no instance.
  virtual QorHidCtrl* Instance() const = 0;
};

}  // namespace tolvane
