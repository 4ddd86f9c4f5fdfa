#include "sim_skype_win.h"

#include <cstdio>
#include <cstring>
#include <optional>

#include "precise_clock_win.h"
#include "sim_control_win.h"
#include "sim_words.h"

namespace simskype {
namespace {

constexpr char kApiWindowClass[] = "SimSkypeApiWindow";
constexpr UINT_PTR kEventTimer = 1;

// Work the API window posts to itself, to run outside the handler that asked.
constexpr UINT kAnswerDiscover = WM_APP + 1;
constexpr UINT kFlushOutbox = WM_APP + 2;
constexpr UINT kAnnounceAvailable = WM_APP + 3;

constexpr UINT kSendTimeoutMs = 5000;
constexpr LPARAM kStatusApiAvailable = 0x8001;

// The block's text, never read past cbData.
std::optional<std::string> BlockText(LPARAM lParam) {
  const auto* block = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  if (block == nullptr || block->lpData == nullptr || block->cbData == 0) return std::nullopt;
  const char* data = static_cast<const char*>(block->lpData);
  const void* end = std::memchr(data, '\0', block->cbData);
  return std::string(data, end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - data)
                                          : block->cbData);
}

std::string HandleText(HWND window) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%llx",
                static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window)));
  return text;
}

}  // namespace

SimSkype::SimSkype(HINSTANCE instance, std::string name, ClientState& state, Transcript& transcript)
    : instance_(instance),
      name_(std::move(name)),
      state_(state),
      transcript_(transcript),
      windows_(instance, state, transcript, [this](std::string_view command) { return OnControlCommand(command); }) {}

SimSkype::~SimSkype() {
  for (HWND window : {controlWindow_, apiWindow_}) {
    if (window != nullptr && IsWindow(window)) DestroyWindow(window);
  }
}

bool SimSkype::RegisterClasses() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &SimSkype::WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  for (const char* name : {kApiWindowClass, kControlWindowClass}) {
    windowClass.lpszClassName = name;
    if (RegisterClassA(&windowClass) == 0) return false;
  }
  return true;
}

HWND SimSkype::CreateOwnedWindow(const char* className, const char* title, DWORD style, HWND parent) {
  return CreateWindowExA(0, className, title, style, 0, 0, 400, 300, parent, nullptr, instance_, this);
}

bool SimSkype::Create(bool shown) {
  attachMessage_ = RegisterWindowMessageA("SkypeControlAPIAttach");
  discoverMessage_ = RegisterWindowMessageA("SkypeControlAPIDiscover");
  if (attachMessage_ == 0 || discoverMessage_ == 0 || !RegisterClasses() || !windows_.Create(shown)) return false;
  // Top-level (not message-only), so that the discover broadcast reaches it.
  apiWindow_ = CreateOwnedWindow(kApiWindowClass, "SimSkype API", WS_POPUP, nullptr);
  controlWindow_ = CreateOwnedWindow(kControlWindowClass, name_.c_str(), WS_POPUP, nullptr);
  if (apiWindow_ == nullptr || controlWindow_ == nullptr) return false;
  transcript_.Write("start", name_ + " api " + HandleText(apiWindow_));
  return true;
}

int SimSkype::Run() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  transcript_.Write("quit");
  return 0;
}

LRESULT CALLBACK SimSkype::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<SimSkype*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (window == self->apiWindow_) return self->HandleApi(message, wParam, lParam);
  if (window == self->controlWindow_) return self->HandleControl(message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT SimSkype::HandleApi(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == discoverMessage_) return OnDiscover(wParam, lParam);
  switch (message) {
    case WM_COPYDATA: return OnLine(wParam, lParam);
    case kAnswerDiscover: AnswerDiscover(); return 0;
    case kFlushOutbox: FlushOutbox(); return 0;
    case kAnnounceAvailable: AnnounceAvailable(); return 0;
    case WM_TIMER: RunDueEvents(); return 0;
    default: return DefWindowProcA(apiWindow_, message, wParam, lParam);
  }
}

LRESULT SimSkype::HandleControl(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COPYDATA) return DefWindowProcA(controlWindow_, message, wParam, lParam);
  const auto* block = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  const std::optional<std::string> command = BlockText(lParam);
  if (!command || block->dwData != kControlTag) return FALSE;
  transcript_.Write("ctl", *command);
  return OnControlCommand(*command) ? TRUE : FALSE;
}

// A discover names the program's window; the detach is the same message with
// no window.
LRESULT SimSkype::OnDiscover(WPARAM wParam, LPARAM) {
  const HWND sender = reinterpret_cast<HWND>(wParam);
  if (sender == nullptr) {
    transcript_.Write("detach");
    attached_ = false;
    return 0;
  }
  transcript_.Write("discover", "from " + HandleText(sender));
  program_ = sender;
  PostMessageA(apiWindow_, kAnswerDiscover, 0, 0);
  return 0;
}

LRESULT SimSkype::OnLine(WPARAM wParam, LPARAM lParam) {
  const std::string line = BlockText(lParam).value_or(std::string());
  if (!attached_ || reinterpret_cast<HWND>(wParam) != program_) {
    transcript_.Write("refused", "(not attached) " + line);
    return FALSE;
  }
  if (state_.TakeRefusal(line)) {
    transcript_.Write("refused", line);
    return FALSE;
  }
  transcript_.Write("recv", line);
  // The client comes forward; a key pressed next reaches its window.
  if (line == "FOCUS") windows_.BringForward();
  Deliver(state_.Answer(line));
  return TRUE;
}

void SimSkype::AnswerDiscover() {
  if (program_ == nullptr) return;
  const long status = state_.AttachStatus();
  transcript_.Write("attach", std::to_string(status) + " to " + HandleText(program_));
  SendMessageTimeoutA(program_, attachMessage_, reinterpret_cast<WPARAM>(apiWindow_), status,
                      SMTO_ABORTIFHUNG, kSendTimeoutMs, nullptr);
  if (status != 0) return;
  attached_ = true;
  for (const std::string& line : state_.AfterAttach()) Queue(line);
}

void SimSkype::AnnounceAvailable() {
  transcript_.Write("attach", std::to_string(kStatusApiAvailable) + " to all");
  SendMessageTimeoutA(HWND_BROADCAST, attachMessage_, reinterpret_cast<WPARAM>(apiWindow_),
                      kStatusApiAvailable, SMTO_ABORTIFHUNG, 1000, nullptr);
}

void SimSkype::Deliver(const Effects& effects) {
  windows_.Refresh();
  for (const std::string& line : effects.lines) Queue(line);
  if (effects.later.empty()) return;
  const ULONGLONG now = GetTickCount64();
  for (const Effects::Later& event : effects.later) {
    dueEvents_.emplace(now + static_cast<ULONGLONG>(event.delayMs), event.event);
  }
  ArmEventTimer();
}

void SimSkype::ArmEventTimer() {
  if (dueEvents_.empty()) {
    KillTimer(apiWindow_, kEventTimer);
    return;
  }
  const ULONGLONG now = GetTickCount64();
  const ULONGLONG due = dueEvents_.begin()->first;
  SetTimer(apiWindow_, kEventTimer, due > now ? static_cast<UINT>(due - now) : USER_TIMER_MINIMUM, nullptr);
}

void SimSkype::RunDueEvents() {
  while (!dueEvents_.empty() && dueEvents_.begin()->first <= GetTickCount64()) {
    const std::string event = dueEvents_.begin()->second;
    dueEvents_.erase(dueEvents_.begin());
    Effects effects;
    const bool happened = state_.Event(event, &effects);
    transcript_.Write("event", event + (happened ? "" : " (no longer fits)"));
    Deliver(effects);
  }
  ArmEventTimer();
}

void SimSkype::Queue(std::string line) {
  outbox_.push_back(std::move(line));
  PostMessageA(apiWindow_, kFlushOutbox, 0, 0);
}

// Lines go out one by one; while a send waits, the program's next command
// may arrive and queue more behind them.
void SimSkype::FlushOutbox() {
  while (!outbox_.empty() && program_ != nullptr) {
    std::string line = std::move(outbox_.front());
    outbox_.pop_front();
    COPYDATASTRUCT block{};
    block.cbData = static_cast<DWORD>(line.size() + 1);
    block.lpData = line.data();
    DWORD_PTR taken = 0;
    const long long began = simclock::NowMicroseconds();
    const LRESULT delivered =
        SendMessageTimeoutA(program_, WM_COPYDATA, reinterpret_cast<WPARAM>(apiWindow_),
                            reinterpret_cast<LPARAM>(&block), SMTO_ABORTIFHUNG, kSendTimeoutMs, &taken);
    transcript_.Write(delivered != 0 && taken != 0 ? "send" : "send-refused", line, began);
  }
}

bool SimSkype::OnControlCommand(std::string_view command) {
  const std::size_t blank = command.find(' ');
  const std::string_view verb = command.substr(0, blank);
  const std::string_view rest = blank == std::string_view::npos ? std::string_view() : command.substr(blank + 1);
  if (verb == "push" && !rest.empty()) {
    Queue(std::string(rest));
  } else if (verb == "refuse-next" && rest.empty()) {
    state_.RefuseNext();
  } else if (verb == "allow" && !rest.empty()) {
    state_.AllowPrefix(rest);
  } else if (verb == "api-available" && rest.empty()) {
    PostMessageA(apiWindow_, kAnnounceAvailable, 0, 0);
  } else if (verb == "quit" && rest.empty()) {
    PostQuitMessage(0);
  } else if (verb == "set") {
    return state_.Apply(rest);
  } else if (verb == "refuse" || verb == "attach-status") {
    return state_.Apply(command);  // the scenario's own directives
  } else if (verb == "at-once" && !rest.empty()) {
    // Several events in one go ("a; b"): their lines reach the program
    // back to back, before any reply to what the first one makes it ask.
    Effects all;
    bool understood = true;
    for (const std::string& event : SplitList(rest, ';')) {
      if (understood) understood = state_.Event(event, &all);
    }
    Deliver(all);  // what did happen is announced even when a later event failed
    return understood;
  } else if (verb == "dialog") {
    std::string_view how;
    const std::string_view which = FirstWord(rest, &how);
    return windows_.Dialog(which, how);
  } else if (verb == "window" && (rest == "show" || rest == "hide")) {
    windows_.Show(rest == "show");
  } else if (verb == "window" && rest == "front") {
    windows_.BringForward();
  } else if (verb == "page") {
    long page = 0;
    return ParseNumber(rest, &page) && windows_.SelectPage(static_cast<int>(page));
  } else {
    // Something happening at the client: a call, a contact, a status.
    Effects effects;
    if (!state_.Event(command, &effects)) return false;
    Deliver(effects);
  }
  return true;
}

}  // namespace simskype
