#pragma once
// The simulated client's own windows, the ones the program finds by class
// and sends messages to, each recorded in the transcript as a `window` line:
// - the main window "tskMainForm.UnicodeClass": WM_CLOSE hides it (the
//   client stays running, as the real one does); "FOCUS" brings it forward;
// - its children "TTntPageControl.UnicodeClass" (answers TCM_GETCURSEL with
//   the page shown; a click selects the page under it), "tSkBgGrid.
//   UnicodeClass" (the dial page's grid, visible only on page 2) and
//   "tSkContactList.UnicodeClass" (the contacts page);
// - the confirmation "TskConFirmForm.UnicodeClass" and error
//   "TskSERForm.UnicodeClass" windows, shown on request; WM_CLOSE closes them.
// Keys reaching any of them (Backspace erases a digit of the dial field) and
// mouse clicks are recorded too. When shown, the main window also lists the
// contacts and calls and has buttons for what happens at the client.
// Everything runs on the simulator's one thread.
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "client_state.h"
#include "transcript_win.h"

namespace simskype {

class ClientWindows {
 public:
  // Layout shared by the behaviour and the drawing.
  static constexpr int kTabWidth = 90;
  static constexpr int kRowHeight = 20;
  static constexpr int kCallsTop = 258;

  // Runs a control command (an event at the client, a dialog); false when it
  // was not taken.
  using Command = std::function<bool(std::string_view)>;

  ClientWindows(HINSTANCE instance, const ClientState& state, Transcript& transcript, Command command);
  ~ClientWindows();
  ClientWindows(const ClientWindows&) = delete;
  ClientWindows& operator=(const ClientWindows&) = delete;

  bool Create(bool shown);
  // The client's state changed: draw it again.
  void Refresh();
  void Show(bool shown);
  // As the client does for "FOCUS": shown, in front, with the keyboard focus.
  void BringForward();
  bool SelectPage(int page);
  // `which`: confirm | error; `how`: show | hide.
  bool Dialog(std::string_view which, std::string_view how);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, const std::string& role, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMainForm(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnDialog(HWND window, const std::string& role, UINT message, WPARAM wParam, LPARAM lParam);
  void Record(const std::string& role, const std::string& what);
  bool RecordInput(const std::string& role, UINT message, WPARAM wParam, LPARAM lParam);
  void OnButton(int id);
  void OnContactClick(int y);
  void Paint(HWND window, const std::string& role);
  void PaintMainForm(HDC dc);
  void PaintPageControl(HDC dc);
  void PaintContacts(HDC dc);
  void PaintDialGrid(HDC dc);
  void PaintDialog(HDC dc, const std::string& role);
  HWND Make(const char* className, const char* title, DWORD style, const RECT& box, HWND parent,
            const std::string& role);

  HINSTANCE instance_;
  const ClientState& state_;
  Transcript& transcript_;
  Command command_;
  HWND mainForm_ = nullptr;
  HWND pageControl_ = nullptr;
  HWND grid_ = nullptr;
  HWND contactList_ = nullptr;
  HFONT font_ = nullptr;
  HFONT bold_ = nullptr;
  int page_ = 0;
  std::size_t selectedContact_ = 0;
  std::map<HWND, std::string> roles_;
  std::map<std::string, HWND, std::less<>> dialogs_;
};

}  // namespace simskype
