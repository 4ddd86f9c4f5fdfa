#pragma once
// The tray menu's dialogs: About (any number at once), Advanced Settings,
// Volume Control and Audio Device Settings (one each), opened modally by the
// main window for its menu commands, and closed from the session's threads
// through the OptionDialogs port of their book.
#include <windows.h>

#include <cstdint>
#include <functional>

#include "shell/option_dialog_book.h"

namespace tolvane {

class HandsetLevels;
class ISkypeLink;
class SoundMapperKey;
class WaveDevices;
struct HandsetSettings;

struct DialogParts {
  HINSTANCE instance = nullptr;
  ISkypeLink* link = nullptr;             // required before a dialog opens
  HandsetSettings* settings = nullptr;    // required
  std::function<void(std::uint8_t)> sendCode;  // the handset's codes; empty: none sent
  std::function<bool()> handsetConnected;      // empty: never connected
  HandsetLevels* levels = nullptr;        // null: the levels cannot be reached
  WaveDevices* waveDevices = nullptr;     // required for Audio Device Settings
  SoundMapperKey* soundMapper = nullptr;  // required for Audio Device Settings
};

// Private messages of the dialogs.
inline constexpr UINT kDialogCloseMessage = WM_APP + 0x41;  // end without saving
inline constexpr UINT kSliderMovedMessage = WM_APP + 0x42;  // wParam slider, lParam position
inline constexpr UINT kDeviceMovedMessage = WM_APP + 0x43;  // wParam 1 playback / 0 recording, lParam index

class OptionDialogsHost final : public DialogCloser {
 public:
  explicit OptionDialogsHost(const DialogParts& parts);
  OptionDialogsHost(const OptionDialogsHost&) = delete;
  OptionDialogsHost& operator=(const OptionDialogsHost&) = delete;

  // Opens the dialog of a tray menu command and returns once it has ended;
  // false for a command that opens no dialog. A dialog already open is not
  // opened again (About is).
  bool OnCommand(HWND owner, WORD command);

  // The session, once it exists (it is created after the host).
  void AttachLink(ISkypeLink* link) { parts_.link = link; }
  OptionDialogBook& Book() { return book_; }
  const DialogParts& Parts() const { return parts_; }

  // DialogCloser: posts the close to the dialog's own thread.
  void RequestClose(WindowHandle dialog) override;

 private:
  DialogParts parts_;
  OptionDialogBook book_;
};

// A modal dialog object: the window procedure finds it through DWLP_USER.
class ModalDialog {
 public:
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;
  virtual ~ModalDialog() = default;
  INT_PTR Run(HINSTANCE instance, int resourceId, HWND owner);

 protected:
  ModalDialog() = default;
  // TRUE for the messages it handles.
  virtual INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  HWND dialog_ = nullptr;

 private:
  static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};

// Check box helpers shared by the dialogs.
bool IsChecked(HWND dialog, int control);
void SetChecked(HWND dialog, int control, bool checked);

// One per dialog: the dialogs (settings_dialogs_win.cpp, audio_dialogs_win.cpp).
INT_PTR RunAboutDialog(OptionDialogsHost& host, HWND owner);
INT_PTR RunAdvancedSettingsDialog(OptionDialogsHost& host, HWND owner);
INT_PTR RunVolumeDialog(OptionDialogsHost& host, HWND owner);
INT_PTR RunAudioDeviceDialog(OptionDialogsHost& host, HWND owner);

}  // namespace tolvane
