#pragma once
// The product's implementations of the dispatcher's ports: the session port
// over SkypeLink and the handset port over HandsetControl. Each forwards one
// call to one operation of the object it wraps, which must outlive it.
#include "dispatcher/dispatch_handset.h"
#include "dispatcher/dispatch_session.h"

namespace tolvane {

class HandsetControl;
class SkypeLink;

class SkypeLinkSession final : public DispatchSession {
 public:
  explicit SkypeLinkSession(SkypeLink& link) : link_(link) {}

  void SendCommand(int kind, const char* user, int callId) override;
  void QueueCommand(const char* line) override;
  void UpdateStatusTip() override;
  void WaitDisplayIdle() override;
  void SendUserStatusCode(int status) override;
  void RequestSkypeStatus() override;
  void SignalHandsetReady() override;
  bool HandsetAttached() const override;
  bool HistoryLoaded() const override;
  void SetHistoryLoaded(bool loaded) override;
  int TakePendingContact() override;
  void ResetPendingContacts() override;
  void SetUserStatus(int status) override;
  int UserStatus() const override;
  void SetConnectionStatus(int status) override;
  void AppendSkypeAudioIn(std::string_view text) override;
  void AppendSkypeAudioOut(std::string_view text) override;
  DisplayRenderer* Renderer() const override;

 private:
  SkypeLink& link_;
};

class HandsetControlPort final : public DispatchHandset {
 public:
  explicit HandsetControlPort(HandsetControl& handset) : handset_(handset) {}

  void SendCode(std::uint8_t code) override;
  std::atomic<std::uint32_t>& Mode() override;
  const HandsetSettings& Settings() const override;

 private:
  HandsetControl& handset_;
};

}  // namespace tolvane
