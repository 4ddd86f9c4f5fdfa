#include "shell/option_dialogs_win.h"

#include <commctrl.h>

#include "common/log.h"
#include "interfaces/resource_ids.h"

namespace tolvane {

OptionDialogsHost::OptionDialogsHost(const DialogParts& parts) : parts_(parts), book_(*this) {
  // The Volume Control dialog's sliders are common controls.
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_BAR_CLASSES;
  InitCommonControlsEx(&controls);
}

bool OptionDialogsHost::OnCommand(HWND owner, WORD command) {
  switch (command) {
    case ID_TRAY_ABOUT:
      RunAboutDialog(*this, owner);
      return true;
    case ID_TRAY_ADVANCED_SETTINGS:
      if (!book_.IsOpen(OptionDialog::kAdvancedSettings)) RunAdvancedSettingsDialog(*this, owner);
      return true;
    case ID_TRAY_VOLUME:
      if (!book_.IsOpen(OptionDialog::kVolume)) RunVolumeDialog(*this, owner);
      return true;
    case ID_TRAY_AUDIO_DEVICES:
      if (!book_.IsOpen(OptionDialog::kAudioDevices)) RunAudioDeviceDialog(*this, owner);
      return true;
    default:
      return false;
  }
}

void OptionDialogsHost::RequestClose(WindowHandle dialog) {
  PostMessageA(static_cast<HWND>(dialog), kDialogCloseMessage, 0, 0);
}

INT_PTR ModalDialog::Run(HINSTANCE instance, int resourceId, HWND owner) {
  LogEvent("dialog ", resourceId,
           " opened (111 About, 115 Volume Control, 116 Advanced Settings, 118 Audio Device Settings)");
  const INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(resourceId), owner, &ModalDialog::Proc,
                                         reinterpret_cast<LPARAM>(this));
  LogEvent("dialog ", resourceId, " closed");
  return result;
}

INT_PTR CALLBACK ModalDialog::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  ModalDialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<ModalDialog*>(lParam);
    self->dialog_ = dialog;
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  } else {
    self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  }
  if (self == nullptr) return FALSE;
  INT_PTR handled = FALSE;
  // Nothing may unwind into Windows.
  try {
    handled = self->Handle(message, wParam, lParam);
  } catch (...) {
    handled = FALSE;
  }
  if (message == WM_NCDESTROY) SetWindowLongPtrA(dialog, DWLP_USER, 0);
  return handled;
}

bool IsChecked(HWND dialog, int control) {
  return SendDlgItemMessageA(dialog, control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND dialog, int control, bool checked) {
  SendDlgItemMessageA(dialog, control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace tolvane
