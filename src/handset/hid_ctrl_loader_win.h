#pragma once
// Loading and unloading of the handset-control library QorHIDCtrl.dll. The
// holder owns the module handle, the two typed entry points and the instance;
// the static HandsetControl owns the holder, so the library lives exactly as
// long as the program's handset object.
//
// Failures are shown to the user in an ownerless error box with the system's
// fixed texts. The box is a parameter so that tests can read the texts
// without a dialog showing.
#include <windows.h>

#include <memory>

#include "handset/handset_library.h"
#include "logging/diagnostic_log_win.h"

namespace tolvane {

using MessageBoxFn = int(WINAPI*)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

struct HidCtrlLoadOptions {
  // The file loaded, from the program's folder (or an absolute path); tests
  // point it at stand-ins. The texts always name the product library.
  const char* moduleName = "QorHIDCtrl.dll";
  MessageBoxFn messageBox = &LoggedMessageBox;
};

class HidCtrlModule final : public HandsetLibrary {
 public:
  // Loads the library and creates its instance. Null when any step failed;
  // the user has then been told, and the library is not kept loaded.
  static std::unique_ptr<HidCtrlModule> Load(const HidCtrlLoadOptions& options = {});

  HidCtrlModule(const HidCtrlModule&) = delete;
  HidCtrlModule& operator=(const HidCtrlModule&) = delete;
  // Shuts the device down, deletes the instance and frees the library.
  ~HidCtrlModule() override;

  QorHidCtrl* Instance() const override { return instance_; }

 private:
  HidCtrlModule(HMODULE module, HidCtrlDeleteFn deleteInstance, QorHidCtrl* instance, MessageBoxFn box)
      : module_(module), deleteInstance_(deleteInstance), instance_(instance), messageBox_(box) {}

  HMODULE module_;
  HidCtrlDeleteFn deleteInstance_;
  QorHidCtrl* instance_;
  MessageBoxFn messageBox_;
};

// The product's way in: the loaded library for the static HandsetControl.
std::unique_ptr<HandsetLibrary> LoadHandsetLibrary(const HidCtrlLoadOptions& options = {});

}  // namespace tolvane
