#pragma once
// An ISkypeLink that does nothing and succeeds (GetCustomerInfo: no text).
// Fakes derive from it and override only what they record.
#include <string_view>

#include "interfaces/i_skype_link.h"

namespace tolvane::testing {

class NullSkypeLink : public ISkypeLink {
 public:
  virtual ~NullSkypeLink() = default;

  Status QueueNotification(const char*) override { return kOk; }
  Status QueueCommand(const char*) override { return kOk; }
  Status SendCommand(int, const char*, int) override { return kOk; }
  Status SaveSettings() override { return kOk; }
  Status RestoreDefaultSettings() override { return kOk; }
  Status ReadSettings() override { return kOk; }
  Status GetSkypeAudioDevices(char*, char*) override { return kOk; }
  Status FillRingList(WindowHandle, int) override { return kOk; }
  Status GetWindowTitle(char*) override { return kOk; }
  Status GetIconNoHandset(char*) override { return kOk; }
  Status GetIconNoSkype(char*) override { return kOk; }
  Status GetIconActive(char*) override { return kOk; }
  Status GetCustomerInfo(char*) override { return kFail; }
  Status SetHandsetAttached(int) override { return kOk; }
  Status RunSessionAction(int) override { return kOk; }
  Status SetRenderer(DisplayRenderer*) override { return kOk; }
  Status ClearQueues() override { return kOk; }
  Status UpdateStatusTip() override { return kOk; }
  Status GetUserStatus(int*) override { return kOk; }
  Status ShowMissedCalls(int) override { return kOk; }
  Status SendUserStatusCode(int) override { return kOk; }
  int RequestSkypeStatus() override { return 1; }
  int SignalHandsetReady() override { return 1; }
  bool HandsetAttached() const override { return false; }
  bool HistoryLoaded() const override { return false; }
  void SetHistoryLoaded(bool) override {}
  int TakePendingContact() override { return -1; }
  void ResetPendingContacts() override {}
  void SetUserStatus(int) override {}
  void SetConnectionStatus(int) override {}
  void SetSkypeAudioIn(std::string_view) override {}
  void SetSkypeAudioOut(std::string_view) override {}
  DisplayRenderer* Renderer() const override { return nullptr; }
};

}  // namespace tolvane::testing
