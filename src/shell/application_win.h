#pragma once
// The program put together: start-up in a fixed order, the message loop, and
// the shutdown in the reverse order. WinMain only hands over the instance.
//
// Start-up order: the two Skype messages; the handset library and
// HandsetControl; the SkypeLink with the Win32 transport (its workers start
// at once); the settings; the single-instance check; the main window (with
// the device notifications); the display renderer; the handset (opened and,
// when present, started); the phone state, the contact list and the
// notification dispatcher; the handset's presence; the discover handshake
// when a handset is there; last the handset's report thread.
//
// A start that ends early (a copy already runs, a library or the window is
// missing, the handset will not start) leaves the configuration file as it
// was: the settings are saved only by a program that has run.
#include <windows.h>

#include <memory>
#include <string>

#include "common/action_delay.h"
#include "session/client_transport_win.h"
#include "shell/client_window_events_win.h"
#include "shell/client_windows_win.h"
#include "config/dialog_list_win.h"
#include "audio/default_audio_devices.h"
#include "audio/handset_mixers.h"
#include "audio/mixer_api_win.h"
#include "audio/sound_mapper_key_win.h"
#include "audio/wave_devices_win.h"
#include "config/settings_store_win.h"
#include "logging/diagnostic_log_win.h"
#include "phone_state/case_mapping_win.h"
#include "shell/handset_mixer_controls.h"
#include "shell/handset_presence_win.h"

namespace tolvane {

class ContactList;
class FontProcessLibrary;
class HandsetControl;
class MainWindow;
class NotificationDispatcher;
class FaderLevels;
class OptionDialogsHost;
class TrayIcon;
class PhoneState;
class QorHidCtrl;
class SkypeLink;

class Application {
 public:
  explicit Application(HINSTANCE instance);
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;
  ~Application();

  // False when the program must end at once (a copy already runs, a library
  // could not be loaded, the window could not be made, the handset could not
  // be started); what was brought up is taken down again by Stop().
  bool Start();
  // Until the main window has been destroyed.
  void RunMessageLoop();
  // Detached threads are none: every thread is joined here, before the
  // objects it uses go. Idempotent.
  void Stop();

 private:
  // The log and the crash handler come first, before any other thread.
  void StartDiagnostics();
  bool CreateSession();
  bool CreateWindowAndRenderer();
  bool BringUpHandset();
  bool CreateTrayIcon(const std::string& title);
  void CreateStores();

  void StartPresence();

  HINSTANCE instance_;
  // Goes last: every thread that logs has been joined before it stops.
  std::unique_ptr<DiagnosticLog> log_;
  bool running_ = false;  // start-up completed: the settings are saved at exit
  std::string programDirectory_;
  std::string className_;
  bool classRegistered_ = false;

  std::unique_ptr<HandsetControl> handset_;
  std::unique_ptr<Win32ClientTransport> transport_;
  // The handset's devices carry this prefix in their names.
  std::string handsetPrefix_;
  WinmmWaveDevices waveDevices_;
  RegistrySoundMapperKey soundMapperKey_;
  std::unique_ptr<DefaultAudioDevices> defaultDevices_;
  // The handset's speaker, microphone and monitor mute; used by the handset's
  // threads and the main window, so they go after the handset.
  WinmmMixerApi mixerApi_;
  DebugOutputMixerTrace mixerTrace_;
  std::unique_ptr<HandsetMixers> mixers_;
  SteadyActionDelay delay_;
  PrivateProfileStore settingsStore_;
  ComboBoxDialogList ringList_;
  // The session updates the icon and closes the dialogs: both outlive it.
  std::unique_ptr<TrayIcon> trayIcon_;
  HICON startIcon_ = nullptr;
  // The dialogs' own key: the session's is used from its action threads.
  RegistrySoundMapperKey dialogSoundMapperKey_;
  std::unique_ptr<FaderLevels> faderLevels_;
  std::unique_ptr<OptionDialogsHost> dialogs_;
  std::unique_ptr<SkypeLink> link_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<FontProcessLibrary> renderer_;
  std::unique_ptr<PhoneState> phoneState_;
  std::unique_ptr<ContactList> contactList_;
  Win32ClientWindows clientWindows_;
  std::unique_ptr<NotificationDispatcher> dispatcher_;
  // Wakes the session when the client's confirmation window appears; goes
  // before the session does.
  std::unique_ptr<ClientWindowEvents> windowEvents_;
  AnsiCaseMapping caseMapping_;
  std::unique_ptr<WindowCheckTimers> checkTimers_;
  std::unique_ptr<ShellClientLauncher> launcher_;
  std::unique_ptr<HandsetMixerControls> mixerControls_;
  std::unique_ptr<HandsetPresence> presence_;
  QorHidCtrl* handsetLibrary_ = nullptr;
};

// The whole program: start-up, message loop, shutdown. Returns the exit code
// (0 on every path).
int RunApplication(HINSTANCE instance);

}  // namespace tolvane
