// The client's replies about contacts: the contact list, one contact's
// properties, and the contact the user focused in the client's own list.
#include <string>

#include "common/bounded_text.h"
#include "interfaces/handset_codes.h"
#include "interfaces/handset_mode.h"
#include "interfaces/i_contact_list.h"
#include "protocol/command_kind.h"
#include "interfaces/i_handset_control.h"
#include "interfaces/i_skype_link.h"
#include "dispatcher/notification_dispatcher.h"
#include "protocol/status_words.h"

namespace tolvane {
namespace {

// DISPLAYNAME replies of these protocol versions are stored even when empty.
constexpr unsigned kLastProtocolWithoutFullName = 3;

// Of a burst of focus changes only the last few are shown, each in turn.
constexpr unsigned kFocusBurstKept = 2;

constexpr int kBuddyRemoved = 1;
constexpr int kBuddyPending = 2;
constexpr int kBuddyAdded = 3;

}  // namespace

void NotificationDispatcher::OnUsers(std::string_view line) {
  const std::string text(line);
  contacts_.TakeUsersReply(text.c_str());
  session_.ResetPendingContacts();
}

void NotificationDispatcher::OnUser(std::string_view line) {
  tokens_.ReadTokens(line, LineTokenizer::kMaxTokens);
  const std::string handle(tokens_.Second());
  const std::string_view property = tokens_.Third();
  if (property == "ONLINESTATUS") {
    contacts_.SetContactStatus(handle.c_str(), OnlineStatusCode(tokens_.Fourth()));
  } else if (property == "FULLNAME") {
    const std::string name = JoinRestOfLine(line, 4);
    // A contact without a full name is listed under its handle.
    SetContactName(handle, name.empty() ? handle : name);
    session_.SendCommand(kCmdGetUserOnlineStatus, handle.c_str(), 0);
  } else if (property == "DISPLAYNAME") {
    const std::string name = JoinRestOfLine(line, 4);
    if (ProtocolVersion() <= kLastProtocolWithoutFullName || !name.empty()) {
      SetContactName(handle, name);
      session_.SendCommand(kCmdGetUserOnlineStatus, handle.c_str(), 0);
    } else {
      session_.SendCommand(kCmdGetUserFullName, handle.c_str(), 0);
    }
  } else if (property == "BUDDYSTATUS") {
    const int buddy = ToInt(tokens_.Fourth());
    if (buddy == kBuddyRemoved) {
      contacts_.RemoveContact(handle.c_str());
    } else if (buddy == kBuddyPending || buddy == kBuddyAdded) {
      contacts_.AddContact(handle.c_str(), kOnlineStatusOffline);
      session_.SendCommand(kCmdGetUserFullName, handle.c_str(), 0);
      session_.SendCommand(kCmdGetUserOnlineStatus, handle.c_str(), 0);
    }
  }
}

void NotificationDispatcher::SetContactName(const std::string& handle, const std::string& name) {
  contacts_.SetContactName(handle.c_str(), name.c_str(), static_cast<int>(name.size() + 1));
}

// CONTACTS FOCUSED handle.
void NotificationDispatcher::OnContacts(std::string_view line) {
  // A line without a handle must not show the handle of an earlier line.
  tokens_.ClearThird();
  tokens_.ReadTokens(line, 3);
  // A count below 0 (more lines handled than counted) also reads as large.
  const auto pending = static_cast<unsigned>(session_.TakePendingContact());
  if (pending > kFocusBurstKept || handset_.Settings().SupportContactFocus.load() == 0) return;

  const std::string handle(tokens_.Third());
  if (DisplayBusy() || tokens_.Second() != "FOCUSED" || handle.size() <= 1) return;

  Pause(200);
  if (!session_.HistoryLoaded()) return;
  handset_.WaitDisplayIdle();
  if (!session_.HandsetAttached()) return;
  handset_.SetMode(kModeFocusedContact);
  if (DisplayNamesShown()) {
    char name[kTextBufferSize] = {};
    contacts_.LookupContactName(handle.c_str(), name);
    name[kMaxTextLength] = '\0';
    ShowText(name);
    handset_.AddModeBits(kModeRenderedText);
    SendCode(kCodeRenderedReady);
  } else {
    contacts_.SetShownHandle(handle.c_str());
    handset_.AddModeBits(kModeHandleText);
    SendCode(kCodeHandleReady);
  }
}

}  // namespace tolvane
