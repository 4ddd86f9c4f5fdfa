#include "shell/client_windows_win.h"

#include <commctrl.h>

#include "shell/skype_windows_win.h"

namespace tolvane {
namespace {

HWND Window(WindowHandle handle) { return static_cast<HWND>(handle); }

// A left click as the client's controls take it: the button down with the
// button's flag, the button up without.
void PostClick(HWND window, WPARAM downFlags, int x, int y) {
  PostMessageA(window, WM_LBUTTONDOWN, downFlags, MAKELPARAM(x, y));
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// Where the first tab of the page control and the first button of the dial
// grid are drawn.
constexpr int kPageTabX = 56;
constexpr int kPageTabY = 11;
constexpr int kGridButtonX = 44;
constexpr int kGridButtonY = 14;

// The scan code of the Backspace key and how long it is held down.
constexpr BYTE kBackspaceScanCode = 8;
constexpr DWORD kKeyHoldMs = 33;

}  // namespace

Win32ClientWindows::Win32ClientWindows(SkypeChildWindows& children, std::chrono::milliseconds answerTimeout)
    : children_(children), answerTimeoutMs_(static_cast<UINT>(answerTimeout.count())) {}

bool Win32ClientWindows::WindowExists(const char* className) const {
  return FindWindowA(className, nullptr) != nullptr;
}

void Win32ClientWindows::CloseMainWindow() {
  if (HWND main = FindWindowA(kSkypeMainWindowClass, nullptr)) PostMessageA(main, WM_CLOSE, 0, 0);
}

bool Win32ClientWindows::ActivateAndClose(const char* className) {
  HWND window = FindWindowA(className, nullptr);
  if (window == nullptr) return false;
  SendMessageTimeoutA(window, WM_ACTIVATE, WA_CLICKACTIVE, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, answerTimeoutMs_,
                      nullptr);
  PostMessageA(window, WM_CLOSE, 0, 0);
  return true;
}

int Win32ClientWindows::SelectedPage() {
  HWND pages = Window(children_.pageControlWindow.load());
  if (pages == nullptr) return 0;
  DWORD_PTR page = 0;
  if (SendMessageTimeoutA(pages, TCM_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, answerTimeoutMs_, &page) == 0) {
    return 0;
  }
  return static_cast<int>(static_cast<LRESULT>(page));
}

void Win32ClientWindows::ClickPageControl() {
  if (HWND pages = Window(children_.pageControlWindow.load())) PostClick(pages, 0, kPageTabX, kPageTabY);
}

bool Win32ClientWindows::DialGridVisible() {
  HWND grid = Window(children_.bgGridWindow.load());
  return grid != nullptr && IsWindowVisible(grid) != FALSE;
}

void Win32ClientWindows::ClickDialGrid() {
  if (HWND grid = Window(children_.bgGridWindow.load())) PostClick(grid, MK_LBUTTON, kGridButtonX, kGridButtonY);
}

void Win32ClientWindows::RefindWindows() { FindSkypeWindows(children_); }

void Win32ClientWindows::PressBackspace() {
  keybd_event(VK_BACK, kBackspaceScanCode, 0, 0);
  Sleep(kKeyHoldMs);
  keybd_event(VK_BACK, kBackspaceScanCode, KEYEVENTF_KEYUP, 0);
}

}  // namespace tolvane
