#include "shell/main_window_win.h"

#include <cstdint>
#include <optional>
#include <string>

#include <mmsystem.h>

#include "common/log.h"
#include "handset/handset_control.h"
#include "interfaces/hid_ctrl_library.h"
#include "interfaces/i_skype_link.h"
#include "session/client_transport_win.h"
#include "shell/handset_presence_win.h"
#include "shell/program_icon_win.h"

namespace tolvane {
namespace {

// The button-face system colour + 1, as a class background.
const HBRUSH kBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));

constexpr std::size_t kMaxEarlyEvents = 32;

constexpr WPARAM kVolumeUpBit = WPARAM{1} << 16;
constexpr WPARAM kVolumeDownBit = WPARAM{1} << 17;

}  // namespace

ATOM MainWindow::RegisterMainClass(HINSTANCE instance, const std::string& className,
                                   const std::string& iconPath) {
  WNDCLASSA windowClass{};
  windowClass.style = 0;
  windowClass.lpfnWndProc = &MainWindow::WindowProc;
  windowClass.hInstance = instance;
  // Kept for the life of the process, as the class is.
  windowClass.hIcon = LoadProgramIcon(instance, iconPath);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = kBackground;
  windowClass.lpszClassName = className.c_str();
  return RegisterClassA(&windowClass);
}

std::unique_ptr<MainWindow> MainWindow::Create(const Parts& parts, const std::string& className,
                                               const std::string& title) {
  std::unique_ptr<MainWindow> self(new MainWindow(parts));
  const HWND window = CreateWindowExA(0, className.c_str(), title.c_str(), WS_OVERLAPPEDWINDOW,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                      nullptr, nullptr, parts.instance, self.get());
  if (window == nullptr) return nullptr;
  parts.transport->SetMainWindow(window);
  RegisterHandsetNotifications(window);
  return self;
}

MainWindow::MainWindow(const Parts& parts) : parts_(parts) {}

MainWindow::~MainWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MainWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  // Nothing may unwind into Windows: a failed step leaves the message to the
  // default handling.
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Registered at run time, so not a case label.
  if (message == parts_.transport->Messages().attach) return OnAttach(message, wParam, lParam);
  switch (message) {
    case WM_COPYDATA: return OnCopyData(wParam, lParam);
    case WM_TIMER: return OnTimer(wParam, lParam);
    case kHandsetReportMessage: return OnHandsetReport(wParam, lParam);
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case kClientDetachedMessage: return OnClientDetached();
    case WM_PAINT: return OnPaint();
    case WM_DEVICECHANGE: return OnDeviceChange(wParam, lParam);
    case WM_POWERBROADCAST: return OnPowerBroadcast(wParam, lParam);
    case MM_MIXM_CONTROL_CHANGE: return OnMixerChange(wParam, lParam);
    case kTrayCallbackMessage: return OnTrayNotification(wParam, lParam);
    case WM_DESTROY: return OnDestroy();
    default: return Default(message, wParam, lParam);
  }
}

LRESULT MainWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window_, message, wParam, lParam);
}

bool MainWindow::HandsetConnected() const { return parts_.handset->IsConnected(); }

LRESULT MainWindow::OnAttach(UINT message, WPARAM wParam, LPARAM lParam) {
  LogEvent("client attach status ", lParam,
           " (0 attached, 1 waiting for the user, 2 refused, 3 not available, 32769 available)");
  if (lParam == kAttachSuccess) {
    parts_.transport->SetClientWindow(reinterpret_cast<HWND>(wParam));
    if (parts_.findClientWindows) parts_.findClientWindows();
    if (parts_.clientAttached) parts_.clientAttached(reinterpret_cast<HWND>(wParam));
    // The client needs a moment after the grant before it takes commands.
    SetTimer(window_, kSetUpTimer, kSetUpDelayMs, nullptr);
    return 1;
  }
  if (lParam == kAttachApiAvailable) {
    if (HandsetConnected()) parts_.link->RunSessionAction(kActionDiscover);
    return 1;
  }
  // Pending authorisation, refused, not available: the session waits for the
  // client to announce that its API is available.
  return Default(message, wParam, lParam);
}

LRESULT MainWindow::OnCopyData(WPARAM wParam, LPARAM lParam) {
  const HWND client = parts_.transport->ClientWindow();
  if (client == nullptr || reinterpret_cast<HWND>(wParam) != client) {
    return Default(WM_COPYDATA, wParam, lParam);
  }
  // Lines that arrive while no handset is connected are dropped, but the
  // client is still told that they were taken.
  if (!HandsetConnected()) return TRUE;
  const std::optional<std::string> line =
      TextFromCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
  if (line) parts_.link->QueueNotification(line->c_str());
  return TRUE;
}

LRESULT MainWindow::OnTimer(WPARAM wParam, LPARAM lParam) {
  if (wParam == kSetUpTimer) {
    KillTimer(window_, kSetUpTimer);
    parts_.link->RunSessionAction(kActionSetUpSession);
    return 1;
  }
  if (wParam == kExitDeadlineTimer) {
    // The client did not take the detach in time; close anyway.
    KillTimer(window_, kExitDeadlineTimer);
    DestroyWindow(window_);
    return 0;
  }
  if (presence_ != nullptr) {
    const unsigned id = static_cast<unsigned>(wParam);
    if (presence_->IsCheckTimer(id)) return Answer(presence_->OnTimer(id), WM_TIMER, wParam, lParam);
    presence_->OnOtherTimer();
  }
  return Default(WM_TIMER, wParam, lParam);
}

LRESULT MainWindow::Answer(HandsetPresence::Reply reply, UINT message, WPARAM wParam, LPARAM lParam) {
  return reply == HandsetPresence::Reply::kHandled ? 1 : Default(message, wParam, lParam);
}

void MainWindow::SetPresence(HandsetPresence* presence) {
  presence_ = presence;
  if (presence_ == nullptr) return;
  const std::vector<std::pair<UINT, WPARAM>> early = std::move(early_);
  early_.clear();
  for (const auto& [message, event] : early) {
    if (message == WM_DEVICECHANGE) {
      OnDeviceChange(event, 0);
    } else {
      OnPowerBroadcast(event, 0);
    }
  }
}

void MainWindow::KeepForPresence(UINT message, WPARAM event) {
  if (!exiting_ && early_.size() < kMaxEarlyEvents) early_.emplace_back(message, event);
}

LRESULT MainWindow::OnDeviceChange(WPARAM wParam, LPARAM lParam) {
  if (presence_ == nullptr) KeepForPresence(WM_DEVICECHANGE, wParam);
  if (presence_ == nullptr || exiting_) return Default(WM_DEVICECHANGE, wParam, lParam);
  return Answer(presence_->OnDeviceChange(static_cast<unsigned>(wParam)), WM_DEVICECHANGE, wParam, lParam);
}

LRESULT MainWindow::OnPowerBroadcast(WPARAM wParam, LPARAM lParam) {
  if (presence_ == nullptr) KeepForPresence(WM_POWERBROADCAST, wParam);
  if (presence_ == nullptr || exiting_) return Default(WM_POWERBROADCAST, wParam, lParam);
  return Answer(presence_->OnPowerBroadcast(static_cast<unsigned>(wParam)), WM_POWERBROADCAST, wParam, lParam);
}

LRESULT MainWindow::OnMixerChange(WPARAM wParam, LPARAM lParam) {
  if (parts_.mixerChange) parts_.mixerChange(wParam, lParam);
  return 1;
}

LRESULT MainWindow::OnTrayNotification(WPARAM wParam, LPARAM lParam) {
  if (!parts_.trayNotification) return Default(kTrayCallbackMessage, wParam, lParam);
  return parts_.trayNotification(wParam, lParam);
}

LRESULT MainWindow::OnHandsetReport(WPARAM wParam, LPARAM lParam) {
  if ((wParam & kVolumeUpBit) != 0) {
    if (parts_.volumeKey) parts_.volumeKey(true);
  } else if ((wParam & kVolumeDownBit) != 0) {
    if (parts_.volumeKey) parts_.volumeKey(false);
  } else {
    parts_.handset->QueueReport(static_cast<std::uint32_t>(wParam), static_cast<std::intptr_t>(lParam));
  }
  return Default(kHandsetReportMessage, wParam, lParam);
}

LRESULT MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == kCommandExit) {
    BeginExit();
    return 1;
  }
  if (parts_.menuCommand && parts_.menuCommand(LOWORD(wParam))) return 1;
  return Default(WM_COMMAND, wParam, lParam);
}

// The client is told that the program leaves (the detach action resets its
// audio devices first); the window closes once the detach has been sent, or
// at the deadline, and keeps serving messages meanwhile.
void MainWindow::BeginExit() {
  if (exiting_) return;
  exiting_ = true;
  LogEvent("exit chosen");
  if (presence_ != nullptr) presence_->CancelChecks();
  if (parts_.leaving) parts_.leaving();
  if (!parts_.transport->IsAttached()) {
    DestroyWindow(window_);
    return;
  }
  parts_.link->RunSessionAction(kActionDetach);
  SetTimer(window_, kExitDeadlineTimer, kExitDeadlineMs, nullptr);
}

LRESULT MainWindow::OnClientDetached() {
  if (exiting_) {
    KillTimer(window_, kExitDeadlineTimer);
    DestroyWindow(window_);
  }
  return 0;
}

LRESULT MainWindow::OnPaint() {
  PAINTSTRUCT paint{};
  BeginPaint(window_, &paint);
  EndPaint(window_, &paint);
  return 0;
}

LRESULT MainWindow::OnDestroy() {
  parts_.transport->SetMainWindow(nullptr);
  PostQuitMessage(0);
  return Default(WM_DESTROY, 0, 0);
}

}  // namespace tolvane
