#include "shell/tray_icon_model.h"

#include <utility>

namespace tolvane {
namespace {

std::string CutTip(std::string_view text) {
  return std::string(text.substr(0, TrayIconModel::kMaxTipLength));
}

constexpr unsigned kAllParts = kTrayMessage | kTrayIcon | kTrayTip;

}  // namespace

TrayIconModel::TrayIconModel(TrayShell& shell) : shell_(shell) {}

TrayIconModel::~TrayIconModel() {
  if (iconOwned_ && record_.icon != nullptr) shell_.DestroyIcon(record_.icon);
}

int TrayIconModel::Add(const TrayIconRecord& record, bool hidden) {
  std::lock_guard<std::mutex> hold(lock_);
  if (iconOwned_ && record_.icon != nullptr && record_.icon != record.icon) shell_.DestroyIcon(record_.icon);
  record_ = record;
  record_.tip = CutTip(record.tip);
  iconOwned_ = false;
  enabled_ = true;
  removedByOwner_ = hidden;
  hidden_ = true;
  removed_ = true;
  if (hidden) return 1;
  AddLocked();
  return removed_ ? 0 : 1;
}

void TrayIconModel::AddLocked() {
  const bool accepted = shell_.Add(record_, kAllParts);
  removed_ = !accepted;
  hidden_ = !accepted;
}

int TrayIconModel::Remove() {
  std::lock_guard<std::mutex> hold(lock_);
  removedByOwner_ = true;
  if (!enabled_ || removed_) return 1;
  if (shell_.Delete(record_)) {
    hidden_ = true;
    removed_ = true;
  }
  return removed_ ? 1 : 0;
}

int TrayIconModel::SetIcon(void* icon, bool owned) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!enabled_) return 0;
  void* const previous = record_.icon;
  const bool previousOwned = iconOwned_;
  record_.icon = icon;
  iconOwned_ = owned;
  const int result = Modify(kTrayIcon);
  // Only now: the shell may have been showing the previous one until here.
  if (previousOwned && previous != nullptr && previous != icon) shell_.DestroyIcon(previous);
  return result;
}

int TrayIconModel::SetTooltipText(std::string_view text) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!enabled_) return 0;
  record_.tip = CutTip(text);
  return Modify(kTrayTip);
}

int TrayIconModel::Modify(unsigned parts) {
  if (hidden_ || removed_) return 1;
  return shell_.Modify(record_, parts) ? 1 : 0;
}

int TrayIconModel::ReAdd() {
  std::lock_guard<std::mutex> hold(lock_);
  if (!enabled_ || removedByOwner_) return 0;
  const bool wasShown = !removed_;
  AddLocked();
  // Any program may announce a new taskbar: a shell that did not restart
  // still holds the icon and refuses it a second time. Brought up to date
  // instead, the icon stays in hand. Refused both ways, the shell has really
  // lost it, and the next announcement adds it again.
  if (removed_ && wasShown && shell_.Modify(record_, kAllParts)) {
    removed_ = false;
    hidden_ = false;
  }
  return removed_ ? 0 : 1;
}

TrayIconRecord TrayIconModel::Record() const {
  std::lock_guard<std::mutex> hold(lock_);
  return record_;
}

bool TrayIconModel::Enabled() const {
  std::lock_guard<std::mutex> hold(lock_);
  return enabled_;
}

bool TrayIconModel::Shown() const {
  std::lock_guard<std::mutex> hold(lock_);
  return !hidden_ && !removed_;
}

}  // namespace tolvane
