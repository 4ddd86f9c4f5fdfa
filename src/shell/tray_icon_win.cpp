#include "shell/tray_icon_win.h"

#include <shellapi.h>

#include <cstring>

#include "common/bounded_text.h"

namespace tolvane {
namespace {

constexpr char kHiddenWindowClass[] = "TrayIconClass";

NOTIFYICONDATAA ShellRecord(const TrayIconRecord& record, unsigned parts) {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = static_cast<HWND>(record.window);
  data.uID = record.id;
  data.uFlags = parts;
  data.uCallbackMessage = record.callbackMessage;
  data.hIcon = static_cast<HICON>(record.icon);
  CopyBounded(data.szTip, sizeof data.szTip, record.tip);
  return data;
}

}  // namespace

bool Win32TrayShell::Add(const TrayIconRecord& record, unsigned parts) {
  NOTIFYICONDATAA data = ShellRecord(record, parts);
  return Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
}

bool Win32TrayShell::Modify(const TrayIconRecord& record, unsigned parts) {
  NOTIFYICONDATAA data = ShellRecord(record, parts);
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool Win32TrayShell::Delete(const TrayIconRecord& record) {
  NOTIFYICONDATAA data = ShellRecord(record, 0);
  return Shell_NotifyIconA(NIM_DELETE, &data) != FALSE;
}

void Win32TrayShell::DestroyIcon(void* icon) { ::DestroyIcon(static_cast<HICON>(icon)); }

void TrayIcon::StatusPort::SetTooltipTextFromResource(int stringId) {
  icon_.SetTooltipTextFromResource(static_cast<UINT>(stringId));
}

void TrayIcon::StatusPort::SetIconFromFile(const char* path) { icon_.SetIconFromFile(path); }

TrayIcon::TrayIcon() : model_(shell_), status_(*this) {
  // Explorer broadcasts it when it has (re)started and lost every icon.
  taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
}

TrayIcon::~TrayIcon() {
  RemoveIcon();
  if (hiddenWindow_ != nullptr) DestroyWindow(hiddenWindow_);
}

int TrayIcon::Create(HINSTANCE instance, HWND notifyWindow, UINT callbackMessage, const char* tooltip,
                     HICON icon, UINT iconId, BOOL hidden, const char* /*balloonText*/,
                     const char* /*balloonTitle*/, DWORD /*balloonFlags*/, UINT /*balloonSeconds*/) {
  instance_ = instance;
  if (hiddenWindow_ == nullptr) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = &TrayIcon::HiddenWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kHiddenWindowClass;
    // A second icon object finds the class registered already.
    RegisterClassExA(&windowClass);
    hiddenWindow_ = CreateWindowExA(0, kHiddenWindowClass, "", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
  }
  TrayIconRecord record;
  record.window = notifyWindow != nullptr ? notifyWindow : hiddenWindow_;
  record.id = iconId;
  record.callbackMessage = callbackMessage;
  record.icon = icon;
  record.tip = tooltip != nullptr ? tooltip : "";
  targetWindow_ = static_cast<HWND>(record.window);
  return model_.Add(record, hidden != FALSE);
}

int TrayIcon::RemoveIcon() { return model_.Remove(); }

int TrayIcon::SetIcon(HICON icon) { return model_.SetIcon(icon, false); }

int TrayIcon::SetIconFromFile(const char* path) {
  if (path == nullptr || *path == '\0') return 0;
  const HICON icon =
      static_cast<HICON>(LoadImageA(instance_, path, IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
  if (icon == nullptr) return 0;
  // The model keeps the icon until the next one replaces it: re-adding the
  // icon after the shell restarted needs it.
  return model_.SetIcon(icon, true);
}

int TrayIcon::SetTooltipText(const char* text) { return model_.SetTooltipText(text != nullptr ? text : ""); }

int TrayIcon::SetTooltipTextFromResource(UINT stringId) {
  char text[TrayIconModel::kMaxTipLength + 1] = {};
  if (LoadStringA(instance_, stringId, text, static_cast<int>(sizeof text)) <= 0) return 0;
  return SetTooltipText(text);
}

HWND TrayIcon::GetTargetWindow() const {
  if (targetWindow_ != nullptr) return targetWindow_;
  return static_cast<HWND>(model_.Record().window);
}

void TrayIcon::CustomizeMenu(HMENU /*menu*/) {}

HMENU TrayIcon::LoadTrayMenu(HMENU* submenu) const {
  const HMENU menu = LoadMenuA(instance_, MAKEINTRESOURCEA(model_.Record().id));
  if (menu == nullptr) return nullptr;
  *submenu = GetSubMenu(menu, 0);
  if (*submenu == nullptr) {
    DestroyMenu(menu);
    return nullptr;
  }
  return menu;
}

LRESULT TrayIcon::OnTrayNotification(WPARAM wParam, LPARAM lParam) {
  const TrayIconRecord record = model_.Record();
  if (!model_.Enabled() || wParam != record.id) return 0;
  const HWND target = GetTargetWindow();
  if (target == nullptr) return 0;
  switch (LOWORD(lParam)) {
    case WM_RBUTTONUP: return ShowMenu(target);
    case WM_LBUTTONDBLCLK: return RunDefaultCommand(target);
    default: return 1;
  }
}

LRESULT TrayIcon::ShowMenu(HWND target) {
  HMENU submenu = nullptr;
  const HMENU menu = LoadTrayMenu(&submenu);
  if (menu == nullptr) return 0;
  SetMenuDefaultItem(submenu, defaultMenuItem_, defaultByPosition_ ? TRUE : FALSE);
  CustomizeMenu(submenu);
  POINT cursor{};
  GetCursorPos(&cursor);
  const HWND owner = static_cast<HWND>(model_.Record().window);
  // Without the foreground the menu would not close on a click elsewhere.
  SetForegroundWindow(owner);
  TrackPopupMenu(submenu, 0, cursor.x, cursor.y, 0, target, nullptr);
  PostMessageA(owner, WM_NULL, 0, 0);
  DestroyMenu(menu);
  return 1;
}

LRESULT TrayIcon::RunDefaultCommand(HWND target) {
  SetForegroundWindow(static_cast<HWND>(model_.Record().window));
  UINT command = defaultMenuItem_;
  if (defaultByPosition_) {
    HMENU submenu = nullptr;
    const HMENU menu = LoadTrayMenu(&submenu);
    if (menu == nullptr) return 0;
    command = GetMenuItemID(submenu, static_cast<int>(defaultMenuItem_));
    DestroyMenu(menu);
  }
  PostMessageA(target, WM_COMMAND, command, 0);
  return 1;
}

LRESULT CALLBACK TrayIcon::HiddenWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TrayIcon* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<TrayIcon*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<TrayIcon*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  }
  if (self == nullptr || message == WM_NCCREATE) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->hiddenWindow_ = nullptr;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  try {
    return self->OnHiddenWindowMessage(message, wParam, lParam);
  } catch (...) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
}

LRESULT TrayIcon::OnHiddenWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // The shell forgot every icon when it restarted; ours comes back unless
  // it was removed on purpose.
  if (message == taskbarCreated_ && taskbarCreated_ != 0) {
    model_.ReAdd();
    return 0;
  }
  if (message == model_.Record().callbackMessage && message != 0) return OnTrayNotification(wParam, lParam);
  return DefWindowProcA(hiddenWindow_, message, wParam, lParam);
}

}  // namespace tolvane
