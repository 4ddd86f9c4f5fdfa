#pragma once
// The Skype client's own windows, as the dispatcher and the handset keys
// reach them: the class names of the windows the client makes, whether a
// top-level window of a class exists, and the few messages the handset keys
// send to the client's windows to work it the way a user would. The Win32
// adapter (shell/client_windows_win.h) finds the windows and posts the
// messages; tests record what was asked.
namespace tolvane {

// Top-level windows of the client.
inline constexpr const char* kSkypeMainWindowClass = "tskMainForm.UnicodeClass";
inline constexpr const char* kClientConfirmationWindowClass = "TskConFirmForm.UnicodeClass";
inline constexpr const char* kClientErrorWindowClass = "TskSERForm.UnicodeClass";
// Children of the main window that the keys move the focus between.
inline constexpr const char* kSkypePageControlClass = "TTntPageControl.UnicodeClass";
inline constexpr const char* kSkypeBgGridClass = "tSkBgGrid.UnicodeClass";
inline constexpr const char* kSkypeContactListClass = "tSkContactList.UnicodeClass";

// The page of the client's page control that holds the dial grid.
inline constexpr int kSkypeDialPage = 2;

// What the dispatcher needs: the client's prompt windows come and go.
class ClientWindowProbe {
 public:
  virtual ~ClientWindowProbe() = default;
  // Whether a top-level window of that class exists (any title).
  virtual bool WindowExists(const char* className) const = 0;
};

// What the handset keys need besides. Every operation returns at once or
// within a short bound: a client that stopped answering its messages must
// not hold the caller.
class ClientWindows : public ClientWindowProbe {
 public:
  // Asks the client's main window to close (the client hides it).
  virtual void CloseMainWindow() = 0;
  // Activates the top-level window of that class as a click would and asks
  // it to close; false when there is none.
  virtual bool ActivateAndClose(const char* className) = 0;
  // The page the client's page control shows; 0 when there is no page
  // control or it did not answer.
  virtual int SelectedPage() = 0;
  // A left click on the page control's first tab.
  virtual void ClickPageControl() = 0;
  // Whether the dial grid is shown, and a click on its first button.
  virtual bool DialGridVisible() = 0;
  virtual void ClickDialGrid() = 0;
  // Looks the client's main window up again and, when it is there, forgets
  // the child windows found before and finds them again.
  virtual void RefindWindows() = 0;
  // The Backspace key pressed and released, to whichever window has the
  // keyboard focus.
  virtual void PressBackspace() = 0;
};

}  // namespace tolvane
