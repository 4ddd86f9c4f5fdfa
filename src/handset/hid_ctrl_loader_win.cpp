#include "handset/hid_ctrl_loader_win.h"

#include <cstring>

#include "common/entry_point_call.h"
#include "common/library_search_win.h"

namespace tolvane {

namespace {

constexpr UINT kBoxStyle = MB_ICONERROR;

template <class Fn>
Fn EntryPoint(HMODULE module, const char* name) {
  FARPROC address = GetProcAddress(module, name);
  Fn typed = nullptr;
  static_assert(sizeof typed == sizeof address);
  std::memcpy(&typed, &address, sizeof typed);
  return typed;
}

// Tells the user and lets the library go.
void FailAndFree(HMODULE module, MessageBoxFn box, const char* text, const char* caption) {
  box(nullptr, text, caption, kBoxStyle);
  FreeLibrary(module);
}

}  // namespace

std::unique_ptr<HidCtrlModule> HidCtrlModule::Load(const HidCtrlLoadOptions& options) {
  MessageBoxFn box = options.messageBox != nullptr ? options.messageBox : &LoggedMessageBox;
  HMODULE module = LoadLibraryBesideProgram(options.moduleName);
  if (module == nullptr) {
    box(nullptr, "Failed to load module - QorHIDCtrl.dll", "CreateHidCtrlInstance", kBoxStyle);
    return nullptr;
  }
  auto create = EntryPoint<HidCtrlCreateFn>(module, "CreateComponentInstance");
  if (create == nullptr) {
    FailAndFree(module, box, "Failed to Get API - CreateComponentInstance", "CreateDLLInstance");
    return nullptr;
  }
  // A library without the delete entry still works the handset; it can only
  // not be taken down in order, which is said when the program ends.
  auto destroy = EntryPoint<HidCtrlDeleteFn>(module, "DeleteComponentInstance");
  QorHidCtrl* instance = nullptr;
  if (CallEntryPoint(create, &instance) == 0 || instance == nullptr) {
    FailAndFree(module, box, "Failed to create instance in module - QorHIDCtrl.dll", "CreateDLLInstance");
    return nullptr;
  }
  return std::unique_ptr<HidCtrlModule>(new HidCtrlModule(module, destroy, instance, box));
}

HidCtrlModule::~HidCtrlModule() {
  instance_->ShutdownDevice();
  if (deleteInstance_ == nullptr) {
    messageBox_(nullptr, "Failed to Get API - DeleteComponentInstance", "DeleteDLLInstance", kBoxStyle);
  } else if (CallEntryPoint(deleteInstance_, &instance_) == 0) {
    messageBox_(nullptr, "Failed to detete instance in module - QorHIDCtrl.DLL", "DeleteDLLInstance", kBoxStyle);
  }
  instance_ = nullptr;
  FreeLibrary(module_);
}

std::unique_ptr<HandsetLibrary> LoadHandsetLibrary(const HidCtrlLoadOptions& options) {
  return HidCtrlModule::Load(options);
}

}  // namespace tolvane
