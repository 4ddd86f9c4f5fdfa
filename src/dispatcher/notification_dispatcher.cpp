// The first words of the client's lines, and the replies that are not about
// one call or one contact.
#include "dispatcher/notification_dispatcher.h"

#include <cassert>
#include <string>

#include "common/log.h"
#include "common/bounded_text.h"
#include "interfaces/handset_codes.h"
#include "interfaces/i_contact_list.h"
#include "interfaces/i_phone_state.h"
#include "interfaces/display_renderer.h"
#include "protocol/command_kind.h"
#include "interfaces/i_handset_control.h"
#include "interfaces/i_skype_link.h"
#include "protocol/status_words.h"

namespace tolvane {
namespace {

// The NAME command goes out from this protocol version on.
constexpr unsigned kNamedProtocol = 3;

// Every port is given at construction; start-up wires them all.
template <typename Port>
Port& Required(Port* port) {
  assert(port != nullptr);
  return *port;
}

}  // namespace

// Matched exactly: "call" in lower case, "ERROR", "OK" and the rest are
// dropped.
const NotificationDispatcher::FirstWordEntry NotificationDispatcher::kFirstWords[] = {
    {"CALL", &NotificationDispatcher::OnCall},
    {"PROTOCOL", &NotificationDispatcher::OnProtocol},
    {"CALLHISTORYCHANGED", &NotificationDispatcher::OnCallHistoryChanged},
    {"CALLS", &NotificationDispatcher::OnCalls},
    {"USERS", &NotificationDispatcher::OnUsers},
    {"USER", &NotificationDispatcher::OnUser},
    {"CONNSTATUS", &NotificationDispatcher::OnConnStatus},
    {"PRIVILEGE", &NotificationDispatcher::OnPrivilege},
    {"PROFILE", &NotificationDispatcher::OnProfile},
    {"USERSTATUS", &NotificationDispatcher::OnUserStatus},
    {"AUTOAWAY", &NotificationDispatcher::OnAutoAway},
    {"CURRENTUSERHANDLE", &NotificationDispatcher::OnCurrentUserHandle},
    {"MUTE", &NotificationDispatcher::OnMute},
    {"AUDIO_IN", &NotificationDispatcher::OnAudioIn},
    {"AUDIO_OUT", &NotificationDispatcher::OnAudioOut},
    {"CONTACTS", &NotificationDispatcher::OnContacts},
};

NotificationDispatcher::NotificationDispatcher(const Ports& ports)
    : session_(Required(ports.session)),
      handset_(Required(ports.handset)),
      phone_(Required(ports.phoneState)),
      contacts_(Required(ports.contactList)),
      windows_(Required(ports.windows)),
      delay_(Required(ports.delay)) {}

void NotificationDispatcher::HandleLine(const std::string& line) {
  // The current call as it is now; the branches below act on this picture
  // even where they change the store.
  lastCurrentCallId_ = 0;
  lastCurrentCallStatus_ = kCallStatusNone;
  phone_.GetCurrentCallId(&lastCurrentCallId_);
  phone_.GetCurrentCallStatus(&lastCurrentCallStatus_);

  const std::string_view first = tokens_.ReadFirstWord(line);
  for (const FirstWordEntry& entry : kFirstWords) {
    if (entry.word == first) {
      (this->*entry.handle)(line);
      return;
    }
  }
}

void NotificationDispatcher::OnCall(std::string_view line) {
  tokens_.ReadTokens(line, LineTokenizer::kMaxTokens);
  CallLine call;
  call.line = line;
  call.id = ToInt(tokens_.Second());
  call.currentId = lastCurrentCallId_;
  call.currentStatus = lastCurrentCallStatus_;

  const std::string_view property = tokens_.Third();
  if (property == "STATUS") {
    LogEvent("call ", call.id, " ", LogSafeHead(tokens_.Fourth()));
    // RINGING reads as a call ringing here; the branches tell the far end
    // ringing apart by the call's state.
    if (const std::optional<int> code = CallStatusCode(tokens_.Fourth(), kCallStatusNone)) {
      OnCallStatus(call, *code);
    }
  } else if (property == "SEEN") {
    OnCallSeen(call);
  } else if (property == "PARTNER_HANDLE") {
    OnCallPartnerHandle(call);
  } else if (property == "PARTNER_DISPNAME") {
    OnCallPartnerDisplayName(call);
  } else if (property == "TYPE") {
    OnCallType(call);
  } else if (property == "DURATION") {
    OnCallDuration(call);
  } else if (property == "TIMESTAMP") {
    OnCallTimestamp(call);
  }
}

void NotificationDispatcher::OnProtocol(std::string_view line) {
  if (const std::optional<unsigned> version = ParseProtocolVersion(line)) protocolVersion_.store(*version);
  LogEvent("protocol ", protocolVersion_.load(), " agreed with the client");
  if (protocolVersion_.load() >= kNamedProtocol) session_.SendCommand(kCmdName, nullptr, 0);
  session_.UpdateStatusTip();
}

void NotificationDispatcher::OnCallHistoryChanged(std::string_view /*line*/) {
  phone_.ClearHistory();
  phone_.ResetBrowse();
  session_.SetHistoryLoaded(false);
  session_.SendCommand(kCmdSearchCalls, nullptr, 0);
}

// The client's call list. An empty history, or a list shorter than the one
// held, is read in again from scratch; a list at least as long leaves the
// history as it is (finished calls are added as they end).
void NotificationDispatcher::OnCalls(std::string_view line) {
  const std::vector<int> ids = ParseCallList(line);
  int held = 0;
  phone_.GetHistoryCount(&held);
  if (held == 0 || static_cast<int>(ids.size()) < held) {
    phone_.ClearHistory();
    for (const int id : ids) {
      phone_.AddHistoryCall(id, 0);
      SendCallQueries(id, {kCmdGetCallType, kCmdGetCallStatus, kCmdGetCallSeen});
    }
    lastListedCallId_ = ids.empty() ? 0 : ids.back();
    // A reload of a held history counts as loaded once the last listed call
    // has answered its SEEN query. An empty list has nothing to wait for:
    // left unloaded, it would refuse the next incoming call.
    session_.SetHistoryLoaded(held == 0 || ids.empty());
  }
  session_.SendCommand(kCmdGetPrivilegeSkypeOut, nullptr, 0);
}

void NotificationDispatcher::OnConnStatus(std::string_view line) {
  tokens_.ReadTokens(line, 2);
  session_.SetConnectionStatus(ConnStatusCode(tokens_.Second()));
  session_.UpdateStatusTip();
}

void NotificationDispatcher::OnPrivilege(std::string_view line) {
  tokens_.ReadTokens(line, 3);
  if (!EqualsIgnoreCase(tokens_.Second(), "skypeout")) return;
  contacts_.SetSkypeOutBalance(0);
  if (EqualsIgnoreCase(tokens_.Third(), "TRUE")) session_.SendCommand(kCmdGetPstnBalance, nullptr, 0);
}

void NotificationDispatcher::OnProfile(std::string_view line) {
  tokens_.ReadTokens(line, 2);
  if (tokens_.Second() != "PSTN_BALANCE") return;
  // The balance is read as a number of its own; the third token buffer keeps
  // what it held.
  contacts_.SetSkypeOutBalance(static_cast<std::int32_t>(ToLong(JoinRestOfLine(line, 3))));
}

void NotificationDispatcher::OnUserStatus(std::string_view line) {
  tokens_.ReadTokens(line, 2);
  const int status = UserStatusCode(tokens_.Second());
  session_.SetUserStatus(status);
  Pause(20);
  session_.UpdateStatusTip();
  session_.SendUserStatusCode(status);
  Pause(10);
}

void NotificationDispatcher::OnAutoAway(std::string_view line) { tokens_.ReadTokens(line, 2); }

// Another user signed in to the client: nothing of the previous user's
// contacts and calls may stay.
void NotificationDispatcher::OnCurrentUserHandle(std::string_view line) {
  tokens_.ReadTokens(line, 2);
  contacts_.ClearContacts();
  phone_.ClearHistory();
  contacts_.ResetContactBrowse();
  phone_.ResetBrowse();
}

void NotificationDispatcher::OnMute(std::string_view line) {
  tokens_.ReadTokens(line, LineTokenizer::kMaxTokens);
  handset_.WaitDisplayIdle();
  SendCode(tokens_.Second() == "ON" ? kCodeMuteOn : kCodeMuteOff);
}

void NotificationDispatcher::OnAudioIn(std::string_view line) {
  session_.SetSkypeAudioIn(FromSkypeText(JoinRestOfLine(line, 2)));
}

void NotificationDispatcher::OnAudioOut(std::string_view line) {
  session_.SetSkypeAudioOut(FromSkypeText(JoinRestOfLine(line, 2)));
}

// The client's text in the program's own form, as the display-text library
// converts it; unchanged while there is no library.
std::string NotificationDispatcher::FromSkypeText(std::string_view text) const {
  char in[kTextBufferSize] = {};
  CopyText(in, text);
  DisplayRenderer* renderer = session_.Renderer();
  if (renderer == nullptr) return in;
  char out[kTextBufferSize] = {};
  renderer->FromSkypeText(in, out);
  out[kMaxTextLength] = '\0';
  return out;
}

}  // namespace tolvane
