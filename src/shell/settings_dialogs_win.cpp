// The About and Advanced Settings dialogs of the tray menu.
#include <windows.h>

#include <chrono>
#include <optional>
#include <thread>

#include "common/log.h"
#include "interfaces/handset_settings.h"
#include "interfaces/i_skype_link.h"
#include "shell/advanced_options.h"
#include "shell/option_dialogs_win.h"
#include "interfaces/resource_ids.h"

namespace tolvane {
namespace {

class AboutDialog final : public ModalDialog {
 public:
  explicit AboutDialog(OptionDialogsHost& host) : host_(host) {}

 private:
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM /*lParam*/) override {
    if (message == WM_INITDIALOG) {
      // The configured customer text (with its line breaks) replaces the
      // template's lines; without one the text is empty.
      char text[kPathBufferSize] = {};
      host_.Parts().link->GetCustomerInfo(text);
      SetDlgItemTextA(dialog_, IDC_ABOUT_TEXT, text);
      return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
      EndDialog(dialog_, LOWORD(wParam));
      return TRUE;
    }
    return FALSE;
  }

  OptionDialogsHost& host_;
};

class AdvancedSettingsDialog final : public ModalDialog {
 public:
  explicit AdvancedSettingsDialog(OptionDialogsHost& host) : host_(host), book_(host.Book()) {}

 private:
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM /*lParam*/) override {
    switch (message) {
      case WM_INITDIALOG: return OnInit();
      case WM_COMMAND: return OnCommand(LOWORD(wParam));
      case kDialogCloseMessage:
        // Closed for the session: the check boxes are not taken over.
        EndDialog(dialog_, IDOK);
        return TRUE;
      case WM_DESTROY:
        book_.Closed(OptionDialog::kAdvancedSettings);
        return FALSE;
      default: return FALSE;
    }
  }

  INT_PTR OnInit() {
    book_.Opened(OptionDialog::kAdvancedSettings, dialog_);
    // The ring names have a place only in a template with a ring list.
    if (GetDlgItem(dialog_, IDC_RING_LIST) != nullptr) {
      host_.Parts().link->FillRingList(dialog_, IDC_RING_LIST);
    }
    ShowOptions();
    return TRUE;
  }

  void ShowOptions() {
    const AdvancedOptions options = CurrentOptions(*host_.Parts().settings);
    SetChecked(dialog_, IDC_AUTO_SWITCH_AUDIO, options.autoSwitchAudio);
    SetChecked(dialog_, IDC_AUTO_RUN_SKYPE, options.autoRunSkype);
    SetChecked(dialog_, IDC_KEY_TONE, options.keyTone);
  }

  INT_PTR OnCommand(WORD command) {
    if (command == IDC_DEFAULT_VALUE) {
      LogEvent("Advanced Settings: default values restored and saved");
      host_.Parts().link->RestoreDefaultSettings();
      ShowOptions();
      return TRUE;
    }
    if (command != IDOK && command != IDCANCEL) return FALSE;
    // There is no Cancel: closing the dialog in any way keeps what it shows.
    AdvancedOptions options;
    options.autoSwitchAudio = IsChecked(dialog_, IDC_AUTO_SWITCH_AUDIO);
    options.autoRunSkype = IsChecked(dialog_, IDC_AUTO_RUN_SKYPE);
    options.keyTone = IsChecked(dialog_, IDC_KEY_TONE);
    const std::optional<std::uint8_t> keyToneCode = TakeOptions(*host_.Parts().settings, options);
    if (keyToneCode && host_.Parts().sendCode) {
      host_.Parts().sendCode(*keyToneCode);
      // The handset needs a moment after a code before the next one.
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    LogEvent("Advanced Settings saved: switch audio ", options.autoSwitchAudio, ", start the client ",
             options.autoRunSkype, ", key tone ", options.keyTone);
    host_.Parts().link->SaveSettings();
    EndDialog(dialog_, command);
    return TRUE;
  }

  OptionDialogsHost& host_;
  OptionDialogBook& book_;
};

}  // namespace

INT_PTR RunAboutDialog(OptionDialogsHost& host, HWND owner) {
  AboutDialog dialog(host);
  return dialog.Run(host.Parts().instance, IDD_ABOUT, owner);
}

INT_PTR RunAdvancedSettingsDialog(OptionDialogsHost& host, HWND owner) {
  AdvancedSettingsDialog dialog(host);
  return dialog.Run(host.Parts().instance, IDD_ADVANCED_SETTINGS, owner);
}

}  // namespace tolvane
