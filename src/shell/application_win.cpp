#include "shell/application_win.h"

#include <chrono>
#include <utility>

#include "handset/handset_control.h"
#include "handset/hid_ctrl_loader_win.h"
#include "phone_state/contact_list.h"
#include "phone_state/phone_state.h"
#include "shell/display_renderer_loader_win.h"
#include "shell/main_window_win.h"
#include "interfaces/resource_ids.h"
#include "shell/fader_levels.h"
#include "shell/option_dialogs_win.h"
#include "shell/program_icon_win.h"
#include "shell/tray_icon_win.h"
#include "shell/resource_strings_win.h"
#include "shell/skype_windows_win.h"
#include "config/dialog_list_win.h"
#include "dispatcher/notification_dispatcher.h"
#include "config/configuration.h"
#include "config/settings_store_win.h"
#include "logging/crash_dump_win.h"
#include "session/skype_link.h"
#include "common/windows_version.h"
#include "interfaces/level_control.h"
#include "interfaces/status_codes.h"

namespace tolvane {
namespace {

constexpr char kMainWindowClassFallback[] = "QorMainWndClass";

std::string ProgramDirectory(HINSTANCE instance) {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
  std::string directory(path, length < MAX_PATH ? length : 0);
  const std::size_t slash = directory.find_last_of('\\');
  directory.resize(slash == std::string::npos ? 0 : slash + 1);
  return directory;
}

std::string Text(Status (ISkypeLink::*getter)(char*), ISkypeLink& link) {
  char text[kPathBufferSize] = {};
  (link.*getter)(text);
  return text;
}

}  // namespace

Application::Application(HINSTANCE instance) : instance_(instance) {}

Application::~Application() { Stop(); }

bool Application::Start() {
  StartDiagnostics();
  if (!CreateSession()) return false;
  if (!CreateWindowAndRenderer()) return false;
  if (!BringUpHandset()) return false;
  handset_->StartReportThread();
  running_ = true;
  return true;
}

void Application::StartDiagnostics() {
  Configuration configuration(settingsStore_);
  const int level = configuration.LogLevel();
  const std::wstring folder = LocalDataFolder();
  InstallCrashHandler(folder + L"\\crashes", L"Tolvane");
  log_ = std::make_unique<DiagnosticLog>(static_cast<LogLevel>(level), folder);
  log_->Start();
  LogProgramStart(level, configuration.IniPath());
}

bool Application::CreateSession() {
  const std::optional<SkypeApiMessages> messages = RegisterSkypeApiMessages();
  if (!messages) return false;

  // The handset library comes first: HandsetControl owns it for the life of
  // the program. A failed load has been shown to the user.
  std::unique_ptr<HandsetLibrary> library = LoadHandsetLibrary();
  if (library == nullptr) return false;
  LogLibraryLoaded("handset library", "QorHIDCtrl.dll");
  handsetLibrary_ = library->Instance();
  handset_ = std::make_unique<HandsetControl>(std::move(library));

  transport_ = std::make_unique<Win32ClientTransport>(*messages);
  SkypeLink::Ports ports;
  ports.transport = transport_.get();
  ports.handset = handset_.get();
  ports.delay = &delay_;
  handsetPrefix_ = WindowsVersionCode() == 4 ? LoadResourceString(instance_, IDS_HANDSET_PREFIX, "USB")
                                                     : std::string("USB");
  defaultDevices_ = std::make_unique<DefaultAudioDevices>(waveDevices_, soundMapperKey_, handsetPrefix_);
  mixers_ = std::make_unique<HandsetMixers>(mixerApi_, &mixerTrace_, handsetPrefix_);
  ports.soundMapper = defaultDevices_.get();
  trayIcon_ = std::make_unique<TrayIcon>();
  DialogParts dialogParts;
  dialogParts.instance = instance_;
  dialogParts.settings = &handset_->Settings();
  dialogParts.sendCode = [this](std::uint8_t code) { handset_->SendCode(code); };
  dialogParts.handsetConnected = [this] { return handset_->IsConnected(); };
  faderLevels_ = std::make_unique<FaderLevels>(*mixers_);
  dialogParts.levels = faderLevels_.get();
  dialogParts.waveDevices = &waveDevices_;
  dialogParts.soundMapper = &dialogSoundMapperKey_;
  dialogs_ = std::make_unique<OptionDialogsHost>(dialogParts);

  ports.tray = &trayIcon_->Status();
  ports.dialogs = &dialogs_->Book();
  link_ = std::make_unique<SkypeLink>(ports);
  dialogs_->AttachLink(link_.get());

  programDirectory_ = ProgramDirectory(instance_);
  link_->SetConfigurationPorts(&settingsStore_, &ringList_);
  link_->ReadSettings();
  return true;
}

bool Application::CreateWindowAndRenderer() {
  className_ = LoadResourceString(instance_, IDS_MAIN_WINDOW_CLASS, kMainWindowClassFallback);
  const std::string title = Text(&ISkypeLink::GetWindowTitle, *link_);
  // A second copy with the same title ends silently.
  if (FindWindowA(className_.c_str(), title.c_str()) != nullptr) return false;

  if (MainWindow::RegisterMainClass(instance_, className_, Text(&ISkypeLink::GetIconNoHandset, *link_)) == 0) {
    return false;
  }
  classRegistered_ = true;
  MainWindow::Parts parts;
  parts.instance = instance_;
  parts.link = link_.get();
  parts.transport = transport_.get();
  parts.handset = handset_.get();
  parts.findClientWindows = [] { FindSkypeWindows(); };
  parts.clientAttached = [this](HWND clientApiWindow) {
    if (windowEvents_ != nullptr) windowEvents_->FollowClient(clientApiWindow);
  };
  parts.volumeKey = [this](bool up) { mixers_->speakerFader.SetFaderValue(up ? kFaderStepUp : kFaderStepDown, 0); };
  // The microphone's level is kept audible while a call is on.
  parts.mixerChange = [this](WPARAM mixer, LPARAM control) {
    int status = kCallStatusNone;
    if (phoneState_ != nullptr) phoneState_->GetCurrentCallStatus(&status);
    if (status == kCallStatusInProgress || status == kCallStatusEarlyMedia) {
      mixers_->micFader.OnControlChange(static_cast<MixerHandle>(mixer), static_cast<std::intptr_t>(control));
    }
  };
  parts.trayNotification = [this](WPARAM wParam, LPARAM lParam) {
    return trayIcon_->OnTrayNotification(wParam, lParam);
  };
  parts.menuCommand = [this](WORD command) { return dialogs_->OnCommand(window_->Handle(), command); };
  parts.leaving = [this] {
    dialogs_->Book().RequestWorkersStop();
    trayIcon_->RemoveIcon();
  };
  window_ = MainWindow::Create(parts, className_, title);
  if (window_ == nullptr) return false;
  // A shell that refuses the icon (not started yet, or none at all) does not
  // end the program: the icon is added once the shell announces itself.
  if (handset_->Settings().SupportSky.load() == 1) CreateTrayIcon(title);

  renderer_ = std::make_unique<FontProcessLibrary>();
  RendererRecipients recipients;
  recipients.handsetLibrary = handsetLibrary_;
  recipients.setHandsetControlRenderer = [this](DisplayRenderer* r) { handset_->SetDisplayRenderer(r); };
  recipients.setSkypeLinkRenderer = [this](DisplayRenderer* r) { link_->SetRenderer(r); };
  recipients.supportFontFile = handset_->Settings().SupportFontFile.load();
  if (renderer_->Load(recipients) != kOk) return false;
  LogLibraryLoaded("display-text library", "QorFontProcessLib.dll");
  return true;
}

bool Application::CreateTrayIcon(const std::string& title) {
  const std::string iconPath = Text(&ISkypeLink::GetIconNoHandset, *link_);
  startIcon_ = LoadProgramIcon(instance_, iconPath);
  return trayIcon_->Create(instance_, window_->Handle(), MainWindow::kTrayCallbackMessage, title.c_str(),
                           startIcon_, IDR_TRAY_MENU, FALSE, nullptr, nullptr, 0, 10) != 0;
}

bool Application::BringUpHandset() {
  const bool present = handset_->OpenDevice() == 1;
  if (present && handset_->StartDevice(window_->Handle()) == 0) {
    handset_->AbortStart();
    return false;
  }
  CreateStores();
  StartPresence();
  if (present) mixerControls_->Open();
  if (DisplayRenderer* renderer = renderer_->Renderer()) renderer->InitRenderer(programDirectory_.c_str());
  handset_->SetConnected(present);
  link_->UpdateStatusTip();
  // Without a handset the session starts when one arrives.
  if (present) link_->RunSessionAction(kActionDiscover);
  // From here the presence follows the handset: the device and power events
  // that arrived during start-up are replayed to it first.
  window_->SetPresence(presence_.get());
  return true;
}

void Application::StartPresence() {
  const HWND window = window_->Handle();
  checkTimers_ = std::make_unique<WindowCheckTimers>(window);
  launcher_ = std::make_unique<ShellClientLauncher>(window);
  mixerControls_ = std::make_unique<HandsetMixerControls>(
      *mixers_, mixerApi_, handsetPrefix_, window, [this](std::string_view name) {
        if (link_ != nullptr) link_->SetHandsetAudioDeviceName(name);
      });
  HandsetPresence::Parts parts;
  parts.handset = handset_.get();
  parts.link = link_.get();
  parts.phoneState = phoneState_.get();
  parts.contactList = contactList_.get();
  parts.mixers = mixerControls_.get();
  parts.timers = checkTimers_.get();
  parts.launcher = launcher_.get();
  parts.windows = &clientWindows_;
  parts.soundMapper = defaultDevices_.get();
  parts.mainWindow = window;
  parts.windowsVersionClass = WindowsVersionCode();
  presence_ = std::make_unique<HandsetPresence>(parts);
}

void Application::CreateStores() {
  phoneState_ = std::make_unique<PhoneState>();
  contactList_ = std::make_unique<ContactList>(*link_, caseMapping_);
  NotificationDispatcher::Ports ports;
  ports.session = link_.get();
  ports.handset = handset_.get();
  ports.phoneState = phoneState_.get();
  ports.contactList = contactList_.get();
  ports.windows = &clientWindows_;
  ports.delay = &delay_;
  dispatcher_ = std::make_unique<NotificationDispatcher>(ports);
  link_->SetPhoneState(phoneState_.get());
  link_->SetContactList(contactList_.get());
  link_->SetNotificationHandler(dispatcher_.get());
  windowEvents_ = std::make_unique<ClientWindowEvents>([link = link_.get()] { link->ClientWindowsChanged(); });
  // A client that attached before the stores existed.
  windowEvents_->FollowClient(transport_->ClientWindow());

  // The handset's ports go in once the stores exist, still before the
  // report thread (the only one to act on them) starts.
  HandsetControl::Ports handsetPorts;
  handsetPorts.transport = transport_.get();
  handsetPorts.link = link_.get();
  handsetPorts.phoneState = phoneState_.get();
  handsetPorts.contactList = contactList_.get();
  handsetPorts.speaker = &mixers_->speakerFader;
  handsetPorts.microphone = &mixers_->micFader;
  handsetPorts.windows = &clientWindows_;
  handset_->SetPorts(handsetPorts);
}

void Application::RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void Application::Stop() {
  const auto stopping = std::chrono::steady_clock::now();
  if (running_) {
    // The handset is shut down once, when its owner lets the library go below.
    handset_->WaitDisplayIdle();
    link_->SaveSettings();
    running_ = false;
  }
  if (window_ != nullptr) window_->SetPresence(nullptr);
  presence_.reset();
  windowEvents_.reset();
  if (link_ != nullptr) {
    // The session's threads use every object below; they end first.
    link_->Shutdown();
  }
  // Joins the report and indicator threads, shuts the handset down and
  // unloads its library.
  handset_.reset();
  dispatcher_.reset();
  contactList_.reset();
  phoneState_.reset();
  link_.reset();
  if (renderer_ != nullptr) {
    renderer_->Unload();
    // The holder frees the module as it goes.
    renderer_.reset();
  }
  window_.reset();
  // The dialogs ended with the window; their workers, which read the
  // faders, are joined here at the latest.
  dialogs_.reset();
  faderLevels_.reset();
  mixerControls_.reset();
  mixers_.reset();
  trayIcon_.reset();
  if (startIcon_ != nullptr) {
    DestroyIcon(startIcon_);
    startIcon_ = nullptr;
  }
  transport_.reset();
  if (classRegistered_) {
    UnregisterClassA(className_.c_str(), instance_);
    classRegistered_ = false;
  }
  if (log_ != nullptr) {
    using std::chrono::milliseconds;
    const auto took = std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - stopping);
    LogEvent("exit: shutdown took ", took.count(), " ms");
    log_.reset();
  }
}

int RunApplication(HINSTANCE instance) {
  Application application(instance);
  if (application.Start()) application.RunMessageLoop();
  application.Stop();
  return 0;
}

}  // namespace tolvane
