#include "dispatcher/dispatch_adapters.h"

#include "handset/handset_control.h"
#include "session/skype_link.h"

namespace tolvane {

void SkypeLinkSession::SendCommand(int kind, const char* user, int callId) { link_.SendCommand(kind, user, callId); }
void SkypeLinkSession::QueueCommand(const char* line) { link_.QueueCommand(line); }
void SkypeLinkSession::UpdateStatusTip() { link_.UpdateStatusTip(); }
void SkypeLinkSession::WaitDisplayIdle() { link_.WaitDisplayIdle(); }
void SkypeLinkSession::SendUserStatusCode(int status) { link_.SendUserStatusCode(status); }
void SkypeLinkSession::RequestSkypeStatus() { link_.RequestSkypeStatus(); }
void SkypeLinkSession::SignalHandsetReady() { link_.SignalHandsetReady(); }
bool SkypeLinkSession::HandsetAttached() const { return link_.HandsetAttached(); }
bool SkypeLinkSession::HistoryLoaded() const { return link_.HistoryLoaded(); }
void SkypeLinkSession::SetHistoryLoaded(bool loaded) { link_.SetHistoryLoaded(loaded); }
int SkypeLinkSession::TakePendingContact() { return link_.TakePendingContact(); }
void SkypeLinkSession::ResetPendingContacts() { link_.ResetPendingContacts(); }
void SkypeLinkSession::SetUserStatus(int status) { link_.SetUserStatus(status); }
int SkypeLinkSession::UserStatus() const { return link_.UserStatus(); }
void SkypeLinkSession::SetConnectionStatus(int status) { link_.SetConnectionStatus(status); }
void SkypeLinkSession::AppendSkypeAudioIn(std::string_view text) { link_.AppendSkypeAudioIn(text); }
void SkypeLinkSession::AppendSkypeAudioOut(std::string_view text) { link_.AppendSkypeAudioOut(text); }
DisplayRenderer* SkypeLinkSession::Renderer() const { return link_.Renderer(); }

void HandsetControlPort::SendCode(std::uint8_t code) { handset_.SendCode(code); }
std::atomic<std::uint32_t>& HandsetControlPort::Mode() { return handset_.HandsetMode; }
const HandsetSettings& HandsetControlPort::Settings() const { return handset_.settings; }

}  // namespace tolvane
