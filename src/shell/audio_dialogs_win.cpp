// The Volume Control and Audio Device Settings dialogs of the tray menu,
// each with a worker that keeps it in step while it is open: the handset's
// levels every 300 ms, the Windows default devices every second. Workers
// only post to their dialog, never wait on it, and each is joined before
// its dialog ends.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "audio/audio_device_choice.h"
#include "common/log.h"
#include "audio/volume_tracker.h"
#include "interfaces/handset_settings.h"
#include "shell/option_dialogs_win.h"
#include "interfaces/resource_ids.h"
#include "shell/resource_strings_win.h"

namespace tolvane {
namespace {

using namespace std::chrono_literals;

constexpr char kNoHandsetTitle[] = "No REROzode";
constexpr char kHandsetDevicePrefix[] = "USB";

class VolumeDialog final : public ModalDialog {
 public:
  explicit VolumeDialog(OptionDialogsHost& host) : host_(host), book_(host.Book()) {}

 private:
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_INITDIALOG: return OnInit();
      case WM_VSCROLL: return OnScroll();
      case kSliderMovedMessage: return OnSliderMoved(wParam, lParam);
      case WM_COMMAND:
        if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
        End(LOWORD(wParam));
        return TRUE;
      case kDialogCloseMessage:
        End(IDOK);
        return TRUE;
      case WM_DESTROY:
        book_.StopWorker(OptionDialog::kVolume);
        book_.Closed(OptionDialog::kVolume);
        return FALSE;
      default: return FALSE;
    }
  }

  INT_PTR OnInit() {
    book_.Opened(OptionDialog::kVolume, dialog_);
    const DialogParts& parts = host_.Parts();
    for (int slider : {IDC_MIC_LEVEL, IDC_SPEAKER_LEVEL}) {
      SendDlgItemMessageA(dialog_, slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, kSliderBottom));
    }
    const bool connected = parts.handsetConnected && parts.handsetConnected();
    if (!connected || parts.levels == nullptr) {
      SetWindowTextA(dialog_, kNoHandsetTitle);
      for (int slider : {IDC_MIC_LEVEL, IDC_SPEAKER_LEVEL}) {
        SendDlgItemMessageA(dialog_, slider, TBM_SETPOS, TRUE, 0);
        EnableWindow(GetDlgItem(dialog_, slider), FALSE);
      }
      return TRUE;
    }
    tracker_ = std::make_unique<VolumeTracker>(*parts.levels);
    tracker_->Load();
    Show(tracker_->Microphone());
    Show(tracker_->Speaker());
    StartVolumePolling();
    return TRUE;
  }

  // Keeps the sliders in step with levels changed elsewhere (the handset's
  // volume keys, the system mixer).
  bool StartVolumePolling() {
    VolumeTracker* tracker = tracker_.get();
    const HWND dialog = dialog_;
    return book_.StartWorker(OptionDialog::kVolume, 300ms, [tracker, dialog] {
      if (const std::optional<SliderMove> move = tracker->Poll()) {
        PostMessageA(dialog, kSliderMovedMessage, static_cast<WPARAM>(move->slider), move->position);
      }
      return true;
    });
  }

  static int Control(VolumeSlider slider) {
    return slider == VolumeSlider::kMicrophone ? IDC_MIC_LEVEL : IDC_SPEAKER_LEVEL;
  }

  void Show(const SliderMove& move) {
    SendDlgItemMessageA(dialog_, Control(move.slider), TBM_SETPOS, TRUE, move.position);
  }

  INT_PTR OnSliderMoved(WPARAM slider, LPARAM position) {
    Show(SliderMove{static_cast<VolumeSlider>(slider), static_cast<int>(position)});
    return TRUE;
  }

  INT_PTR OnScroll() {
    if (tracker_ == nullptr) return FALSE;
    const auto position = [this](int slider) {
      return static_cast<int>(SendDlgItemMessageA(dialog_, slider, TBM_GETPOS, 0, 0));
    };
    tracker_->OnSlidersMoved(position(IDC_MIC_LEVEL), position(IDC_SPEAKER_LEVEL));
    return TRUE;
  }

  void End(WORD result) {
    book_.StopWorker(OptionDialog::kVolume);
    EndDialog(dialog_, result);
  }

  OptionDialogsHost& host_;
  OptionDialogBook& book_;
  std::unique_ptr<VolumeTracker> tracker_;
};

class AudioDeviceDialog final : public ModalDialog {
 public:
  explicit AudioDeviceDialog(OptionDialogsHost& host) : host_(host), book_(host.Book()) {}

 private:
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_INITDIALOG: return OnInit();
      case kDeviceMovedMessage:
        Select(wParam != 0, static_cast<int>(lParam));
        return TRUE;
      case WM_COMMAND: return OnCommand(wParam);
      case kDialogCloseMessage:
        book_.StopWorker(OptionDialog::kAudioDevices);
        EndDialog(dialog_, IDOK);
        return TRUE;
      case WM_DESTROY:
        book_.StopWorker(OptionDialog::kAudioDevices);
        book_.Closed(OptionDialog::kAudioDevices);
        return FALSE;
      default: return FALSE;
    }
  }

  static int Control(bool output) { return output ? IDC_PLAYBACK_DEVICE : IDC_RECORDING_DEVICE; }

  INT_PTR OnInit() {
    book_.Opened(OptionDialog::kAudioDevices, dialog_);
    const DialogParts& parts = host_.Parts();
    choice_ = InitialDeviceChoice(*parts.waveDevices, *parts.soundMapper, kHandsetDevicePrefix);
    if (choice_.available) {
      Fill(true, choice_.outputs);
      Fill(false, choice_.inputs);
      Select(true, choice_.output);
      Select(false, choice_.input);
    } else {
      Fill(true, {LoadResourceString(parts.instance, IDS_NO_SPEAKER, "No Speaker")});
      Fill(false, {LoadResourceString(parts.instance, IDS_NO_MICROPHONE, "No MIC")});
      Select(true, 0);
      Select(false, 0);
    }
    // Only a template with the check box offers the system auto-switch; a
    // missing box must not switch the setting off when the dialog closes.
    if (GetDlgItem(dialog_, IDC_AUTO_SWITCH_SYSTEM_AUDIO) != nullptr) {
      SetChecked(dialog_, IDC_AUTO_SWITCH_SYSTEM_AUDIO,
                 parts.settings->SupportAutoSwitchSystemAudioDevice.load() != 0);
    }
    watch_ = std::make_unique<DeviceWatch>(*parts.soundMapper, choice_.outputs, choice_.inputs);
    watch_->SetShown(true, choice_.available ? choice_.output : -1);
    watch_->SetShown(false, choice_.available ? choice_.input : -1);
    DeviceWatch* watch = watch_.get();
    const HWND dialog = dialog_;
    book_.StartWorker(OptionDialog::kAudioDevices, 1000ms, [watch, dialog] {
      const std::optional<std::vector<DeviceWatch::Move>> moves = watch->Round();
      if (!moves) return false;
      for (const DeviceWatch::Move& move : *moves) {
        PostMessageA(dialog, kDeviceMovedMessage, move.output ? 1 : 0, move.index);
      }
      return true;
    });
    return TRUE;
  }

  void Fill(bool output, const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
      SendDlgItemMessageA(dialog_, Control(output), CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(names[i].c_str()));
    }
  }

  void Select(bool output, int index) {
    SendDlgItemMessageA(dialog_, Control(output), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendDlgItemMessageA(dialog_, Control(output), CB_SHOWDROPDOWN, FALSE, 0);
  }

  std::string Shown(bool output) const {
    const LRESULT index = SendDlgItemMessageA(dialog_, Control(output), CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return {};
    const LRESULT length = SendDlgItemMessageA(dialog_, Control(output), CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendDlgItemMessageA(dialog_, Control(output), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
  }

  INT_PTR OnCommand(WPARAM wParam) {
    const WORD command = LOWORD(wParam);
    if (HIWORD(wParam) == CBN_SELCHANGE && (command == IDC_PLAYBACK_DEVICE || command == IDC_RECORDING_DEVICE)) {
      const bool output = command == IDC_PLAYBACK_DEVICE;
      watch_->SetShown(output, static_cast<int>(SendDlgItemMessageA(dialog_, command, CB_GETCURSEL, 0, 0)));
      return TRUE;
    }
    if (command != IDOK && command != IDCANCEL) return FALSE;
    book_.StopWorker(OptionDialog::kAudioDevices);
    // Both buttons apply what the dialog shows.
    ApplyDeviceChoice(*host_.Parts().soundMapper, choice_, Shown(true), Shown(false));
    LogEvent("Audio Device Settings applied: playback \"", Shown(true), "\", recording \"", Shown(false), "\"");
    if (GetDlgItem(dialog_, IDC_AUTO_SWITCH_SYSTEM_AUDIO) != nullptr) {
      host_.Parts().settings->SupportAutoSwitchSystemAudioDevice.store(
          IsChecked(dialog_, IDC_AUTO_SWITCH_SYSTEM_AUDIO) ? 1 : 0);
    }
    EndDialog(dialog_, command);
    return TRUE;
  }

  OptionDialogsHost& host_;
  OptionDialogBook& book_;
  DeviceChoice choice_;
  std::unique_ptr<DeviceWatch> watch_;
};

}  // namespace

INT_PTR RunVolumeDialog(OptionDialogsHost& host, HWND owner) {
  VolumeDialog dialog(host);
  return dialog.Run(host.Parts().instance, IDD_VOLUME, owner);
}

INT_PTR RunAudioDeviceDialog(OptionDialogsHost& host, HWND owner) {
  if (host.Parts().waveDevices == nullptr || host.Parts().soundMapper == nullptr) return 0;
  AudioDeviceDialog dialog(host);
  return dialog.Run(host.Parts().instance, IDD_AUDIO_DEVICES, owner);
}

}  // namespace tolvane
