#pragma once
// The notification-area icon's record and the rules for when it goes to the
// shell, apart from the shell itself (TrayShell; the Win32 adapter is
// tray_icon_win.h). Every change of the record and the shell call it causes
// happen under one lock, so that updates from several threads reach the
// shell whole and in the order they were made.
//
// States: before Add, every change returns 0 and does nothing. After an add
// that the shell accepted, changes go to the shell at once. After a refused
// add, or after Remove, changes are kept in the record and return 1 without
// a shell call. When the shell restarts it has forgotten every icon:
// ReAdd puts the icon back unless its owner removed it. The announcement
// that prompts it is a broadcast that any program may send, so a shell
// that still holds the icon has it brought up to date instead.
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>

#include "common/abi.h"

namespace tolvane {

// The parts of a shell record that go with each call (the shell's own flag
// values).
enum TrayParts : unsigned {
  kTrayMessage = 0x1,
  kTrayIcon = 0x2,
  kTrayTip = 0x4,
};

struct TrayIconRecord {
  WindowHandle window = nullptr;  // receives the icon's mouse messages
  unsigned id = 0;
  unsigned callbackMessage = 0;
  void* icon = nullptr;
  std::string tip;  // at most kMaxTipLength characters
};

class TrayShell {
 public:
  // Each returns whether the shell accepted the call.
  virtual bool Add(const TrayIconRecord& record, unsigned parts) = 0;
  virtual bool Modify(const TrayIconRecord& record, unsigned parts) = 0;
  virtual bool Delete(const TrayIconRecord& record) = 0;
  // Frees an icon that the model owns; the shell keeps its own copy.
  virtual void DestroyIcon(void* icon) = 0;

 protected:
  ~TrayShell() = default;
};

class TrayIconModel {
 public:
  // The shell's tooltip holds 127 characters and a terminating zero.
  static constexpr std::size_t kMaxTipLength = 127;

  explicit TrayIconModel(TrayShell& shell);
  TrayIconModel(const TrayIconModel&) = delete;
  TrayIconModel& operator=(const TrayIconModel&) = delete;
  // Frees the icon it owns; does not remove the icon from the shell.
  ~TrayIconModel();

  // Adds the icon (message, icon and tip); the tip is cut to its first
  // kMaxTipLength characters. Returns the shell's answer as 1 or 0. With
  // `hidden` the icon is only recorded, not shown, and returns 1.
  int Add(const TrayIconRecord& record, bool hidden);
  // 1 when the icon is (now) not registered with the shell.
  int Remove();
  // Replaces the icon. An owned icon is freed once it is replaced or the
  // model ends. 0 before Add; 1 while the icon is not shown; else the
  // shell's answer.
  int SetIcon(void* icon, bool owned);
  // As SetIcon, for the tooltip, cut to kMaxTipLength characters.
  int SetTooltipText(std::string_view text);
  // After the shell announced itself: adds the icon again with its current
  // icon and tip unless it was removed by its owner; a shell that still
  // holds a shown icon gets it modified. 1 when the icon is shown now, 0
  // when nothing was added (a later announcement tries again).
  int ReAdd();

  TrayIconRecord Record() const;
  bool Enabled() const;
  bool Shown() const;  // registered with the shell and not hidden

 private:
  int Modify(unsigned parts);
  void AddLocked();

  TrayShell& shell_;
  mutable std::mutex lock_;
  TrayIconRecord record_;
  bool enabled_ = false;
  bool hidden_ = true;
  bool removed_ = true;
  // Removed or created hidden: not to be brought back by ReAdd.
  bool removedByOwner_ = false;
  bool iconOwned_ = false;
};

}  // namespace tolvane
