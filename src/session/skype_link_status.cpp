// The session's status values and texts: the tray tooltip and icon, the
// user's own status on the handset, and the getters and setters of the texts
// the configuration fills.
#include <cstdint>

#include "common/bounded_text.h"
#include "interfaces/handset_codes.h"
#include "interfaces/i_handset_control.h"
#include "interfaces/display_renderer.h"
#include "interfaces/notification_handler.h"
#include "interfaces/resource_ids.h"
#include "session/skype_link.h"
#include "interfaces/tray_status.h"

namespace tolvane {
namespace {

void ReplaceEscapedNewlines(std::string& text) {
  for (std::size_t at = text.find("\\n"); at != std::string::npos; at = text.find("\\n", at + 2)) {
    text.replace(at, 2, "\r\n");
  }
}

}  // namespace

Status SkypeLink::UpdateStatusTip() {
  // Several threads update the tip; one update's text and icon must not mix
  // with another's.
  std::lock_guard<std::mutex> update(statusTipLock_);
  const int user = userStatus_.load();
  const bool skypeDown = user == kOnlineStatusOffline || user == -1 ||
                         connectionStatus_.load() != kConnStatusOnline;
  const bool handsetPresent = handset_.IsConnected();

  int tip = 0;
  std::string icon;
  {
    std::lock_guard<std::mutex> hold(textLock_);
    if (skypeDown) {
      tip = handsetPresent ? IDS_TIP_SKYPE_OFFLINE : IDS_TIP_ALL_OFFLINE;
      icon = handsetPresent ? iconNoSkype_ : iconNoAny_;
    } else {
      tip = handsetPresent ? IDS_TIP_HANDSET_IN_USE : IDS_TIP_HANDSET_OFFLINE;
      icon = handsetPresent ? iconActive_ : iconNoHandset_;
    }
  }
  if (tray_ != nullptr) {
    tray_->SetTooltipTextFromResource(tip);
    tray_->SetIconFromFile(icon.c_str());
  }
  return kOk;
}

Status SkypeLink::SendUserStatusCode(int status) {
  handset_.SendCode(UserStatusIconCode(status));
  return kOk;
}

Status SkypeLink::ShowMissedCalls(int flag) {
  if (NotificationHandler* handler = handler_.load()) handler->ShowMissedCalls(flag);
  return kOk;
}

Status SkypeLink::SetHandsetAttached(int value) {
  handsetAttached_.store(value);
  return kOk;
}

Status SkypeLink::SetRenderer(DisplayRenderer* renderer) {
  renderer_.store(renderer);
  return kOk;
}

Status SkypeLink::GetUserStatus(int* out) {
  if (out == nullptr) return kFail;
  *out = userStatus_.load();
  return kOk;
}

Status SkypeLink::CopyStored(const std::string& text, char* out) const {
  if (out == nullptr) return kFail;
  CopyBounded(out, kPathBufferSize, text);
  return kOk;
}

Status SkypeLink::GetSkypeAudioDevices(char* in, char* out) {
  std::lock_guard<std::mutex> hold(textLock_);
  if (in != nullptr) CopyStored(skypeAudioIn_, in);
  if (out != nullptr) CopyStored(skypeAudioOut_, out);
  return kOk;
}

Status SkypeLink::GetWindowTitle(char* out) {
  std::lock_guard<std::mutex> hold(textLock_);
  return CopyStored(windowTitle_.empty() ? std::string("SkypeForWindow") : windowTitle_, out);
}

Status SkypeLink::GetIconNoHandset(char* out) {
  std::lock_guard<std::mutex> hold(textLock_);
  return CopyStored(iconNoHandset_, out);
}

Status SkypeLink::GetIconNoSkype(char* out) {
  std::lock_guard<std::mutex> hold(textLock_);
  return CopyStored(iconNoSkype_, out);
}

Status SkypeLink::GetIconActive(char* out) {
  std::lock_guard<std::mutex> hold(textLock_);
  return CopyStored(iconActive_, out);
}

Status SkypeLink::GetCustomerInfo(char* out) {
  std::lock_guard<std::mutex> hold(textLock_);
  if (customerInfo_.empty()) return kFail;
  // The configuration file writes line breaks as backslash-n; the stored text
  // keeps the real breaks from the first call on.
  ReplaceEscapedNewlines(customerInfo_);
  return CopyStored(customerInfo_, out);
}

// Each reply names the device the client uses now; it replaces the one
// before (every attach asks again).
void SkypeLink::SetSkypeAudioIn(std::string_view text) {
  std::lock_guard<std::mutex> hold(textLock_);
  skypeAudioIn_.assign(text);
}

void SkypeLink::SetSkypeAudioOut(std::string_view text) {
  std::lock_guard<std::mutex> hold(textLock_);
  skypeAudioOut_.assign(text);
}

namespace {

void Store(std::mutex& lock, std::string& field, std::string_view text) {
  std::lock_guard<std::mutex> hold(lock);
  field.assign(text);
}

}  // namespace

void SkypeLink::SetAppName(std::string_view name) { Store(textLock_, appName_, name); }
void SkypeLink::SetWindowTitle(std::string_view title) { Store(textLock_, windowTitle_, title); }
void SkypeLink::SetIconNoAny(std::string_view path) { Store(textLock_, iconNoAny_, path); }
void SkypeLink::SetIconNoHandset(std::string_view path) { Store(textLock_, iconNoHandset_, path); }
void SkypeLink::SetIconNoSkype(std::string_view path) { Store(textLock_, iconNoSkype_, path); }
void SkypeLink::SetIconActive(std::string_view path) { Store(textLock_, iconActive_, path); }
void SkypeLink::SetCustomerInfo(std::string_view text) { Store(textLock_, customerInfo_, text); }
void SkypeLink::SetHandsetAudioDeviceName(std::string_view name) {
  Store(textLock_, handsetAudioDeviceName_, name);
}

std::string SkypeLink::AppName() const {
  std::lock_guard<std::mutex> hold(textLock_);
  return appName_;
}

}  // namespace tolvane
