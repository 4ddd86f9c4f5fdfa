#include "handset_window_win.h"

#include <array>
#include <string_view>

#include "handset_keys.h"

namespace simhandset {
namespace {

constexpr char kClassName[] = "SimHandsetWindow";
constexpr UINT kRedraw = WM_APP + 1;
constexpr int kFirstKeyId = 1000;
constexpr int kFirstExtraId = 2000;

// Buttons that are not keys of the key table: the volume rocker, the
// handset asking for its screen or identifying itself, the cable.
struct Extra {
  const char* label;
  const char* command;
};
constexpr std::array<Extra, 6> kExtras = {{{"Vol +", "volup"},
                                           {"Vol -", "voldown"},
                                           {"Ask screen", "display"},
                                           {"Identify", "ident 128"},
                                           {"Plug in", "plug"},
                                           {"Unplug", "unplug"}}};

constexpr int kWidth = 300;
constexpr int kColumns = 4;
constexpr int kKeyWidth = 68;
constexpr int kKeyHeight = 24;
constexpr int kKeyGap = 3;
constexpr int kKeysTop = 182;
constexpr RECT kDisplayRect = {10, 10, 290, 100};
constexpr int kLampsTop = 108;
constexpr int kStatusTop = 142;

int KeyRows() {
  const int buttons = static_cast<int>(AllKeys().size() + kExtras.size());
  return (buttons + kColumns - 1) / kColumns;
}
int ReplyTop() { return kKeysTop + KeyRows() * (kKeyHeight + kKeyGap) + 4; }

void FillBox(HDC dc, const RECT& box, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &box, brush);
  DeleteObject(brush);
}

void Dot(HDC dc, int x, int y, int radius, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  HGDIOBJ old = SelectObject(dc, brush);
  Ellipse(dc, x - radius, y - radius, x + radius, y + radius);
  SelectObject(dc, old);
  DeleteObject(brush);
}

void Text(HDC dc, int x, int y, std::string_view text) {
  TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
}

COLORREF MarkColor(int mark) {
  switch (mark) {
    case 106: return RGB(20, 150, 40);
    case 107: return RGB(120, 120, 120);
    case 109: return RGB(200, 30, 30);
    default: return CLR_INVALID;
  }
}

}  // namespace

HandsetWindow::HandsetWindow(HMODULE library, Viewer view, Executor execute)
    : library_(library), view_(std::move(view)), execute_(std::move(execute)) {
  std::promise<HWND> created;
  std::future<HWND> window = created.get_future();
  thread_ = std::thread([this, &created] { Run(&created); });
  window_ = window.get();
}

HandsetWindow::~HandsetWindow() {
  // The thread ends its loop on WM_QUIT whether or not the window is still
  // open (a person may have closed it), and destroys it there.
  if (threadId_ != 0) PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
  thread_.join();
}

void HandsetWindow::Redraw() {
  if (window_ != nullptr && !redrawPending_.exchange(true)) PostMessageA(window_, kRedraw, 0, 0);
}

void HandsetWindow::Run(std::promise<HWND>* created) {
  threadId_ = GetCurrentThreadId();
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &HandsetWindow::Procedure;
  windowClass.hInstance = library_;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);
  RECT frame = {0, 0, kWidth, ReplyTop() + 24};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowExA(0, kClassName, "Simulated handset", style, 20, 40, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, library_, this);
  created->set_value(window);  // `created` is gone after this
  if (window != nullptr) {
    ShowWindow(window, SW_SHOWNOACTIVATE);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      if (!IsDialogMessageA(window, &message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
    }
    if (IsWindow(window)) DestroyWindow(window);
  }
  // Unregistered so that the library can be unloaded and loaded again.
  UnregisterClassA(kClassName, library_);
  if (displayFont_ != nullptr) DeleteObject(displayFont_);
  if (smallFont_ != nullptr) DeleteObject(smallFont_);
}

LRESULT CALLBACK HandsetWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<HandsetWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  try {
    if (message == WM_NCCREATE) self->own_ = window;
    return self->Handle(message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

LRESULT HandsetWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: CreateKeys(); return 0;
    case WM_COMMAND: return OnCommand(wParam);
    case WM_PAINT: return OnPaint();
    case kRedraw:
      redrawPending_ = false;
      InvalidateRect(own_, nullptr, FALSE);
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(own_, message, wParam, lParam);
  }
}

void HandsetWindow::CreateKeys() {
  displayFont_ = CreateFontA(-22, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
  smallFont_ = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
  const auto place = [this](int index, const char* label, int id) {
    const int x = 10 + (index % kColumns) * (kKeyWidth + kKeyGap);
    const int y = kKeysTop + (index / kColumns) * (kKeyHeight + kKeyGap);
    HWND button = CreateWindowExA(0, "BUTTON", label, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, y, kKeyWidth,
                                  kKeyHeight, own_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), library_,
                                  nullptr);
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(smallFont_), FALSE);
  };
  int index = 0;
  for (const HandsetKey& key : AllKeys()) {
    place(index++, std::string(key.label).c_str(), kFirstKeyId + key.code);
  }
  for (std::size_t i = 0; i < kExtras.size(); ++i) {
    place(index++, kExtras[i].label, kFirstExtraId + static_cast<int>(i));
  }
}

LRESULT HandsetWindow::OnCommand(WPARAM wParam) {
  const int id = LOWORD(wParam);
  std::string command;
  if (id >= kFirstExtraId && id < kFirstExtraId + static_cast<int>(kExtras.size())) {
    command = kExtras[static_cast<std::size_t>(id - kFirstExtraId)].command;
  } else if (id >= kFirstKeyId && id < kFirstKeyId + 256) {
    command = "key " + std::to_string(id - kFirstKeyId);
  } else {
    return 0;
  }
  lastReply_ = command + ": " + execute_(command);
  InvalidateRect(own_, nullptr, FALSE);
  return 0;
}

LRESULT HandsetWindow::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(own_, &paint);
  const HandsetView view = view_();
  SetBkMode(dc, TRANSPARENT);
  PaintDisplay(dc, view);
  PaintLamps(dc, view);
  RECT reply = {0, ReplyTop(), kWidth, ReplyTop() + 24};
  FillRect(dc, &reply, GetSysColorBrush(COLOR_BTNFACE));
  SelectObject(dc, smallFont_);
  SetTextColor(dc, RGB(60, 60, 60));
  Text(dc, 10, ReplyTop() + 4, lastReply_);
  EndPaint(own_, &paint);
  return 0;
}

void HandsetWindow::PaintDisplay(HDC dc, const HandsetView& view) {
  FillBox(dc, kDisplayRect, view.opened ? RGB(178, 205, 150) : RGB(120, 130, 110));
  const DisplayScreen& screen = view.screen;
  int x = kDisplayRect.left + 10;
  if (screen.mark && MarkColor(*screen.mark) != CLR_INVALID) {
    Dot(dc, x + 6, kDisplayRect.top + 22, 6, MarkColor(*screen.mark));
    x += 18;
  }
  std::string big;
  std::string small;
  for (const DisplayField& field : screen.fields) {
    if (field.name == "name" || field.name == "text") {
      big = field.text;
    } else {
      small += (small.empty() ? "" : "   ") + field.name + " " + field.text;
    }
  }
  // A screen still being streamed shows a cursor where the next character goes.
  if (!screen.ended && !screen.fields.empty()) (screen.fields.back().name == "name" ? big : small) += '_';
  SetTextColor(dc, RGB(20, 30, 20));
  SelectObject(dc, displayFont_);
  Text(dc, x, kDisplayRect.top + 10, big);
  SelectObject(dc, smallFont_);
  Text(dc, kDisplayRect.left + 10, kDisplayRect.top + 44, small);
  const std::string status = std::string("status ") + StatusName(view.lamps.status);
  Text(dc, kDisplayRect.left + 10, kDisplayRect.bottom - 20, status);
}

void HandsetWindow::PaintLamps(HDC dc, const HandsetView& view) {
  RECT area = {0, kLampsTop, kWidth, kKeysTop - 2};
  FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
  const HandsetIndicators& lamps = view.lamps;
  const COLORREF off = RGB(80, 80, 80);
  COLORREF call = off;
  if (lamps.call == CallLamp::kActive) call = RGB(30, 190, 60);
  if (lamps.call == CallLamp::kHold) call = RGB(230, 170, 20);
  if (lamps.call == CallLamp::kDialling) call = RGB(40, 110, 230);
  struct Lamp {
    const char* label;
    COLORREF color;
  };
  const std::array<Lamp, 5> shown = {{{"Ring", lamps.ring ? RGB(235, 30, 30) : off},
                                      {"Call", call},
                                      {"Mute", lamps.mute ? RGB(240, 120, 20) : off},
                                      {"Prompt", lamps.prompt ? RGB(190, 40, 190) : off},
                                      {"Tone", lamps.keyTone ? RGB(40, 180, 200) : off}}};
  SelectObject(dc, smallFont_);
  SetTextColor(dc, RGB(0, 0, 0));
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const int x = 34 + static_cast<int>(i) * 58;
    Dot(dc, x, kLampsTop + 9, 8, shown[i].color);
    Text(dc, x - 14, kLampsTop + 20, shown[i].label);
  }
  std::string line = view.plugged ? (view.started ? "plugged in, started" : "plugged in") : "unplugged";
  line += "   next seq " + std::to_string(view.nextSequence);
  if (lamps.lastAck >= 0) line += "   acked " + std::to_string(lamps.lastAck);
  if (lamps.lastRefusal >= 0) line += "   refused " + std::to_string(lamps.lastRefusal);
  Text(dc, 10, kStatusTop + 8, line);
  Text(dc, 10, kStatusTop + 22, std::string("call ") + CallLampName(lamps.call));
}

}  // namespace simhandset
