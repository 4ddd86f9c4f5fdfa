#include "client_windows_win.h"

#include <commctrl.h>

#include <array>
#include <cstdio>

namespace simskype {
namespace {

constexpr char kMainFormClass[] = "tskMainForm.UnicodeClass";
constexpr char kPageControlClass[] = "TTntPageControl.UnicodeClass";
constexpr char kGridClass[] = "tSkBgGrid.UnicodeClass";
constexpr char kContactListClass[] = "tSkContactList.UnicodeClass";
// The prompt windows, by the names the control channel and the transcript use.
const std::map<std::string_view, const char*> kDialogClasses = {{"confirm", "TskConFirmForm.UnicodeClass"},
                                                                {"error", "TskSERForm.UnicodeClass"}};

constexpr int kPages = 3;  // contacts, call list, dial; the grid is on the dial page
constexpr int kDialPage = 2;
constexpr int kTabWidth = ClientWindows::kTabWidth;
constexpr RECT kPageControlBox = {0, 0, kTabWidth * kPages, 24};
constexpr RECT kPageBox = {0, 26, kTabWidth * kPages, 250};
constexpr int kButtonsLeft = 285;
constexpr int kMainWidth = 455;
constexpr int kMainHeight = 420;
constexpr UINT_PTR kReopenTimer = 7;
constexpr UINT kReopenMs = 3000;

// The buttons of the shown window: things happening at the client, as the
// control channel names them ("incoming" takes the selected contact).
struct Button {
  const char* label;
  const char* command;
};
constexpr std::array<Button, 8> kButtons = {{{"Incoming call", "incoming"},
                                             {"Answer", "answer"},
                                             {"Hang up", "hangup"},
                                             {"Far end answers", "far-answer"},
                                             {"Far end hangs up", "far-hangup"},
                                             {"Confirmation window", "dialog confirm show"},
                                             {"Error window", "dialog error show"},
                                             {"Close (reopens in 3 s)", ""}}};
constexpr int kFirstButtonId = 100;

std::string Hex(WPARAM value) {
  char text[24];
  std::snprintf(text, sizeof text, "%llu", static_cast<unsigned long long>(value));
  return text;
}

const char* ActivationName(WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case WA_ACTIVE: return "WA_ACTIVE";
    case WA_CLICKACTIVE: return "WA_CLICKACTIVE";
    default: return "WA_INACTIVE";
  }
}

const char* MouseMessageName(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP: return "WM_LBUTTONUP";
    case WM_RBUTTONDOWN: return "WM_RBUTTONDOWN";
    case WM_RBUTTONUP: return "WM_RBUTTONUP";
    default: return nullptr;
  }
}

}  // namespace

ClientWindows::ClientWindows(HINSTANCE instance, const ClientState& state, Transcript& transcript, Command command)
    : instance_(instance), state_(state), transcript_(transcript), command_(std::move(command)) {}

ClientWindows::~ClientWindows() {
  for (const auto& dialog : dialogs_) DestroyWindow(dialog.second);
  if (mainForm_ != nullptr && IsWindow(mainForm_)) DestroyWindow(mainForm_);
  if (font_ != nullptr) DeleteObject(font_);
  if (bold_ != nullptr) DeleteObject(bold_);
}

HWND ClientWindows::Make(const char* className, const char* title, DWORD style, const RECT& box, HWND parent,
                         const std::string& role) {
  HWND window = CreateWindowExA(0, className, title, style, box.left, box.top, box.right - box.left,
                                box.bottom - box.top, parent, nullptr, instance_, this);
  if (window != nullptr) roles_[window] = role;
  return window;
}

bool ClientWindows::Create(bool shown) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &ClientWindows::Procedure;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  for (const char* name : {kMainFormClass, kPageControlClass, kGridClass, kContactListClass}) {
    windowClass.lpszClassName = name;
    if (RegisterClassA(&windowClass) == 0) return false;
  }
  for (const auto& dialog : kDialogClasses) {
    windowClass.lpszClassName = dialog.second;
    if (RegisterClassA(&windowClass) == 0) return false;
  }
  font_ = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
  bold_ = CreateFontA(-13, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame = {0, 0, kMainWidth, kMainHeight};
  AdjustWindowRect(&frame, style, FALSE);
  frame = {340, 40, 340 + frame.right - frame.left, 40 + frame.bottom - frame.top};
  mainForm_ = Make(kMainFormClass, "Skype - simuser", style, frame, nullptr, "main");
  if (mainForm_ == nullptr) return false;
  pageControl_ = Make(kPageControlClass, "", WS_CHILD | WS_VISIBLE, kPageControlBox, mainForm_, "page-control");
  contactList_ = Make(kContactListClass, "", WS_CHILD, kPageBox, mainForm_, "contact-list");
  grid_ = Make(kGridClass, "", WS_CHILD, kPageBox, mainForm_, "dial-grid");
  if (pageControl_ == nullptr || contactList_ == nullptr || grid_ == nullptr) return false;
  for (std::size_t i = 0; i < kButtons.size(); ++i) {
    const int y = 4 + static_cast<int>(i) * 30;
    HWND button = CreateWindowExA(0, "BUTTON", kButtons[i].label, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                  kButtonsLeft, y, kMainWidth - kButtonsLeft - 8, 26, mainForm_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButtonId + i)), instance_,
                                  nullptr);
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  SelectPage(0);
  if (shown) Show(true);
  return true;
}

void ClientWindows::Refresh() {
  for (HWND window : {mainForm_, contactList_, grid_}) {
    if (window != nullptr) InvalidateRect(window, nullptr, TRUE);
  }
}

void ClientWindows::Show(bool shown) {
  ShowWindow(mainForm_, shown ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void ClientWindows::BringForward() {
  ShowWindow(mainForm_, SW_SHOW);
  SetForegroundWindow(mainForm_);
  SetFocus(mainForm_);
}

bool ClientWindows::SelectPage(int page) {
  if (page < 0 || page >= kPages) return false;
  page_ = page;
  ShowWindow(contactList_, page == 0 ? SW_SHOWNOACTIVATE : SW_HIDE);
  ShowWindow(grid_, page == kDialPage ? SW_SHOWNOACTIVATE : SW_HIDE);
  InvalidateRect(pageControl_, nullptr, TRUE);
  InvalidateRect(mainForm_, &kPageBox, TRUE);
  return true;
}

bool ClientWindows::Dialog(std::string_view which, std::string_view how) {
  const auto dialogClass = kDialogClasses.find(which);
  if (dialogClass == kDialogClasses.end() || (how != "show" && how != "hide")) return false;
  const auto shown = dialogs_.find(which);
  if (how == "hide") {
    if (shown != dialogs_.end()) {
      roles_.erase(shown->second);
      DestroyWindow(shown->second);
      dialogs_.erase(shown);
    }
    return true;
  }
  if (shown != dialogs_.end()) return true;
  const RECT box = {380, 140, 380 + 300, 140 + 120};
  const HWND dialog = Make(dialogClass->second, "Skype", WS_POPUP | WS_CAPTION | WS_SYSMENU, box, nullptr,
                           std::string(which));
  if (dialog == nullptr) return false;
  dialogs_.emplace(std::string(which), dialog);
  // Not activated: WM_ACTIVATE lines in the transcript are then the program's.
  ShowWindow(dialog, SW_SHOWNOACTIVATE);
  return true;
}

LRESULT CALLBACK ClientWindows::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<ClientWindows*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  try {
    const auto role = self->roles_.find(window);
    if (role == self->roles_.end()) return DefWindowProcA(window, message, wParam, lParam);
    return self->Handle(window, role->second, message, wParam, lParam);
  } catch (...) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
}

LRESULT ClientWindows::Handle(HWND window, const std::string& role, UINT message, WPARAM wParam, LPARAM lParam) {
  if (RecordInput(role, message, wParam, lParam)) return 0;
  if (message == WM_PAINT) {
    Paint(window, role);
    return 0;
  }
  if (window == mainForm_) return OnMainForm(message, wParam, lParam);
  if (window == pageControl_ && message == TCM_GETCURSEL) {
    Record(role, "TCM_GETCURSEL " + std::to_string(page_));
    return page_;
  }
  if (dialogs_.contains(role)) return OnDialog(window, role, message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

void ClientWindows::Record(const std::string& role, const std::string& what) {
  transcript_.Write("window", role + " " + what);
}

// Clicks and keys, on whichever of the client's windows they reach.
bool ClientWindows::RecordInput(const std::string& role, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const char* name = MouseMessageName(message)) {
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    Record(role, std::string(name) + " wParam=" + Hex(wParam) + " x=" + std::to_string(x) +
                     " y=" + std::to_string(y));
    if (message == WM_LBUTTONDOWN && role == "page-control") SelectPage(x / kTabWidth);
    if (message == WM_LBUTTONDOWN && role == "contact-list") OnContactClick(y);
    return true;
  }
  if (message == WM_KEYDOWN) {
    Record(role, wParam == VK_BACK ? std::string("WM_KEYDOWN VK_BACK") : "WM_KEYDOWN " + Hex(wParam));
    if (wParam == VK_BACK) command_("backspace");
    return true;
  }
  return false;
}

LRESULT ClientWindows::OnMainForm(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      // The client keeps running with its window hidden, as it does when
      // its window is closed.
      ShowWindow(mainForm_, SW_HIDE);
      Record("main", "WM_CLOSE");
      return 0;
    case WM_COMMAND:
      OnButton(LOWORD(wParam));
      return 0;
    case WM_TIMER:
      KillTimer(mainForm_, kReopenTimer);
      Show(true);
      return 0;
    default:
      return DefWindowProcA(mainForm_, message, wParam, lParam);
  }
}

LRESULT ClientWindows::OnDialog(HWND window, const std::string& role, UINT message, WPARAM wParam,
                                LPARAM lParam) {
  if (message == WM_ACTIVATE) {
    Record(role, std::string("WM_ACTIVATE ") + ActivationName(wParam));
    return 0;
  }
  if (message == WM_CLOSE) {
    const std::string which = role;  // `role` goes with the window
    Dialog(which, "hide");
    Record(which, "WM_CLOSE");
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void ClientWindows::OnButton(int id) {
  const int index = id - kFirstButtonId;
  if (index < 0 || index >= static_cast<int>(kButtons.size())) return;
  std::string command = kButtons[static_cast<std::size_t>(index)].command;
  if (command.empty()) {
    // What the program does to hide the client, then back after a while.
    PostMessageA(mainForm_, WM_CLOSE, 0, 0);
    SetTimer(mainForm_, kReopenTimer, kReopenMs, nullptr);
  } else {
    if (command == "incoming") {
      const std::vector<ClientState::Contact> contacts = state_.Contacts();
      command += " " + (selectedContact_ < contacts.size() ? contacts[selectedContact_].handle : "echo123");
    }
    transcript_.Write("note", "button: " + command);
    command_(command);
  }
  // Keys typed at the client go to its window, not to the button.
  SetFocus(mainForm_);
}

void ClientWindows::OnContactClick(int y) {
  const int row = (y - 4) / kRowHeight;
  if (row >= 0 && static_cast<std::size_t>(row) < state_.Contacts().size()) {
    selectedContact_ = static_cast<std::size_t>(row);
    InvalidateRect(contactList_, nullptr, TRUE);
  }
}

}  // namespace simskype
