// How the simulated client's windows look when shown: the page tabs, the
// contacts with their statuses, the dial page, the calls with their states
// and the prompt windows. Drawing only; what the windows do is in
// client_windows_win.cpp.
#include <array>
#include <string>

#include "client_windows_win.h"

namespace simskype {
namespace {

constexpr std::array<const char*, 3> kPageNames = {"Contacts", "Call list", "Dial"};
constexpr int kShownCalls = 7;

void Text(HDC dc, int x, int y, const std::string& text) {
  TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
}

void Dot(HDC dc, int x, int y, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  HGDIOBJ old = SelectObject(dc, brush);
  Ellipse(dc, x - 5, y - 5, x + 5, y + 5);
  SelectObject(dc, old);
  DeleteObject(brush);
}

COLORREF StatusColor(const std::string& status) {
  if (status == "ONLINE" || status == "SKYPEME") return RGB(40, 170, 60);
  if (status == "AWAY" || status == "NA") return RGB(230, 170, 20);
  if (status == "DND") return RGB(210, 40, 40);
  return RGB(150, 150, 150);
}

COLORREF CallColor(const std::string& status) {
  if (status == "RINGING" || status == "EARLYMEDIA" || status == "ROUTING") return RGB(210, 40, 40);
  if (status == "INPROGRESS") return RGB(40, 170, 60);
  if (status == "ONHOLD" || status == "LOCALHOLD" || status == "REMOTEHOLD") return RGB(230, 170, 20);
  return RGB(110, 110, 110);
}

}  // namespace

void ClientWindows::Paint(HWND window, const std::string& role) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, font_);
  if (window == mainForm_) {
    PaintMainForm(dc);
  } else if (window == pageControl_) {
    PaintPageControl(dc);
  } else if (window == contactList_) {
    PaintContacts(dc);
  } else if (window == grid_) {
    PaintDialGrid(dc);
  } else {
    PaintDialog(dc, role);
  }
  EndPaint(window, &paint);
}

void ClientWindows::PaintMainForm(HDC dc) {
  if (page_ == 1) {
    // The call list page: the whole history, newest first.
    int y = 32;
    for (const SimCall& call : state_.Calls().All()) {
      if (y > 240) break;
      Text(dc, 8, y, std::to_string(call.id) + "  " + (call.incoming ? "in   " : "out  ") + call.partner + "  " +
                         call.status);
      y += kRowHeight - 4;
    }
  }
  SelectObject(dc, bold_);
  Text(dc, 8, kCallsTop, "Calls");
  Text(dc, 240, kCallsTop, "Me: " + state_.UserStatus());
  SelectObject(dc, font_);
  int y = kCallsTop + 22;
  int shown = 0;
  for (const SimCall& call : state_.Calls().All()) {
    if (shown++ == kShownCalls) break;
    Dot(dc, 14, y + 7, CallColor(call.status));
    std::string line = std::to_string(call.id) + "   " + (call.incoming ? "from " : "to ") + call.partner + "   " +
                       call.status;
    if (call.answeredAt >= 0 && call.duration > 0) line += "  (" + std::to_string(call.duration) + " s)";
    Text(dc, 26, y, line);
    y += kRowHeight;
  }
  if (shown == 0) Text(dc, 26, y, "no calls");
}

void ClientWindows::PaintPageControl(HDC dc) {
  for (int page = 0; page < static_cast<int>(kPageNames.size()); ++page) {
    RECT tab = {page * kTabWidth, page == page_ ? 0 : 3, (page + 1) * kTabWidth - 2, 24};
    HBRUSH brush = CreateSolidBrush(page == page_ ? RGB(255, 255, 255) : RGB(205, 215, 230));
    FillRect(dc, &tab, brush);
    DeleteObject(brush);
    SelectObject(dc, page == page_ ? bold_ : font_);
    Text(dc, tab.left + 12, 5, kPageNames[static_cast<std::size_t>(page)]);
  }
}

void ClientWindows::PaintContacts(HDC dc) {
  RECT all;
  GetClientRect(contactList_, &all);
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  int y = 4;
  std::size_t row = 0;
  for (const ClientState::Contact& contact : state_.Contacts()) {
    if (row == selectedContact_) {
      RECT band = {0, y - 2, all.right, y + kRowHeight - 2};
      HBRUSH brush = CreateSolidBrush(RGB(215, 230, 250));
      FillRect(dc, &band, brush);
      DeleteObject(brush);
    }
    Dot(dc, 12, y + 7, StatusColor(contact.status));
    Text(dc, 24, y, contact.name);
    Text(dc, 180, y, contact.status);
    y += kRowHeight;
    ++row;
  }
  if (row == 0) Text(dc, 10, y, "no contacts");
}

void ClientWindows::PaintDialGrid(HDC dc) {
  RECT all;
  GetClientRect(grid_, &all);
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  RECT field = {10, 8, all.right - 10, 34};
  FrameRect(dc, &field, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  SelectObject(dc, bold_);
  Text(dc, 16, 13, state_.Calls().DialField());
  SelectObject(dc, font_);
  const char* rows[] = {"1   2   3", "4   5   6", "7   8   9", "*   0   #"};
  int y = 50;
  for (const char* row : rows) {
    Text(dc, 100, y, row);
    y += 24;
  }
}

void ClientWindows::PaintDialog(HDC dc, const std::string& role) {
  SelectObject(dc, bold_);
  Text(dc, 16, 20, role == "confirm" ? "Do you want to continue?" : "Call failed.");
  SelectObject(dc, font_);
  Text(dc, 16, 46, role == "confirm" ? "(the client's confirmation window)" : "(the client's error window)");
}

}  // namespace simskype
