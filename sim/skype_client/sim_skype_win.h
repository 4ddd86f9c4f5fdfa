#pragma once
// The simulated Skype client's side of the desktop API, around its windows:
// - the client's own windows (client_windows_win.h): the main window
//   "tskMainForm.UnicodeClass" with the three child windows the program
//   looks up, and the prompt windows;
// - the API window, a separate hidden top-level window that answers the
//   discover broadcast with the attach message and exchanges WM_COPYDATA
//   lines with the attached program;
// - the control window (see sim_control_win.h).
// Everything runs on one thread. Nothing is ever sent from inside a handler
// of a message the program sent: replies and attach answers are posted to
// the API window first and sent from there.
#include <windows.h>

#include <deque>
#include <map>
#include <string>
#include <string_view>

#include "client_state.h"
#include "client_windows_win.h"
#include "transcript_win.h"

namespace simskype {

class SimSkype {
 public:
  SimSkype(HINSTANCE instance, std::string name, ClientState& state, Transcript& transcript);
  SimSkype(const SimSkype&) = delete;
  SimSkype& operator=(const SimSkype&) = delete;
  ~SimSkype();

  // `shown`: the client's main window is shown from the start.
  bool Create(bool shown);
  int Run();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleApi(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleControl(UINT message, WPARAM wParam, LPARAM lParam);

  bool RegisterClasses();
  HWND CreateOwnedWindow(const char* className, const char* title, DWORD style, HWND parent);

  LRESULT OnDiscover(WPARAM wParam, LPARAM lParam);
  LRESULT OnLine(WPARAM wParam, LPARAM lParam);
  bool OnControlCommand(std::string_view command);
  void AnswerDiscover();
  void AnnounceAvailable();
  void Queue(std::string line);
  void FlushOutbox();
  // Queues the lines and schedules the later events of one answer or event.
  void Deliver(const Effects& effects);
  void RunDueEvents();
  void ArmEventTimer();

  HINSTANCE instance_;
  std::string name_;
  ClientState& state_;
  Transcript& transcript_;
  UINT attachMessage_ = 0;
  UINT discoverMessage_ = 0;
  ClientWindows windows_;
  HWND apiWindow_ = nullptr;
  HWND controlWindow_ = nullptr;
  HWND program_ = nullptr;  // the window that last discovered us
  bool attached_ = false;
  std::deque<std::string> outbox_;
  // The client's own events still to come, by due time (GetTickCount64);
  // equal times keep their order.
  std::multimap<ULONGLONG, std::string> dueEvents_;
};

}  // namespace simskype
