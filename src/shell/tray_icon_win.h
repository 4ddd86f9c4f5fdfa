#pragma once
// The program's icon in the taskbar's notification area: its picture and
// tooltip show whether the handset and the Skype client are connected, a
// right click opens the tray menu and a double click runs the menu's first
// command. The record and the rules of when it reaches the shell are
// TrayIconModel's; this class talks to the shell and to the user.
//
// Create, RemoveIcon, OnTrayNotification and the hidden window run on the
// UI thread. The icon and tooltip changes may come from any thread.
#include <windows.h>

#include "interfaces/tray_status.h"
#include "shell/tray_icon_model.h"

namespace tolvane {

class Win32TrayShell final : public TrayShell {
 public:
  bool Add(const TrayIconRecord& record, unsigned parts) override;
  bool Modify(const TrayIconRecord& record, unsigned parts) override;
  bool Delete(const TrayIconRecord& record) override;
  void DestroyIcon(void* icon) override;
};

class TrayIcon {
 public:
  TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;
  // Removes the icon and destroys the hidden window.
  virtual ~TrayIcon();

  // A mouse message from the shell: 1 when it was for this icon, 0 otherwise
  // or when the menu cannot be loaded.
  virtual LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);
  // The menu just before it is shown.
  virtual void CustomizeMenu(HMENU menu);

  // Adds the icon; the shell's answer (0: refused, or no notification area).
  // Without a notification window the hidden window gets the mouse
  // messages. The balloon arguments are accepted and not shown.
  int Create(HINSTANCE instance, HWND notifyWindow, UINT callbackMessage, const char* tooltip, HICON icon,
             UINT iconId, BOOL hidden, const char* balloonText, const char* balloonTitle, DWORD balloonFlags,
             UINT balloonSeconds);
  int RemoveIcon();
  // The caller keeps its icon.
  int SetIcon(HICON icon);
  // 0 when the file cannot be loaded; the icon stays as it was.
  int SetIconFromFile(const char* path);
  int SetTooltipText(const char* text);
  // 0 when the string table has no text for the id.
  int SetTooltipTextFromResource(UINT stringId);
  HWND GetTargetWindow() const;

  // The icon as the session updates it.
  TrayStatus& Status() { return status_; }

 private:
  class StatusPort final : public TrayStatus {
   public:
    explicit StatusPort(TrayIcon& icon) : icon_(icon) {}
    void SetTooltipTextFromResource(int stringId) override;
    void SetIconFromFile(const char* path) override;

   private:
    TrayIcon& icon_;
  };

  static LRESULT CALLBACK HiddenWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnHiddenWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The menu resource named by the icon id; its first submenu in *submenu.
  HMENU LoadTrayMenu(HMENU* submenu) const;
  LRESULT ShowMenu(HWND target);
  LRESULT RunDefaultCommand(HWND target);

  Win32TrayShell shell_;
  TrayIconModel model_;
  StatusPort status_;
  HINSTANCE instance_ = nullptr;
  HWND hiddenWindow_ = nullptr;
  HWND targetWindow_ = nullptr;
  UINT defaultMenuItem_ = 0;
  bool defaultByPosition_ = true;
  UINT taskbarCreated_ = 0;
};

}  // namespace tolvane
