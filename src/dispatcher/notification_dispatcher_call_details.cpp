// The CALL id properties other than STATUS: the replies that fill in a
// call's record, and TIMESTAMP, the last reply of a call's end refresh, which
// moves a finished call into the history.
#include <string>

#include "interfaces/handset_codes.h"
#include "interfaces/handset_mode.h"
#include "interfaces/i_contact_list.h"
#include "interfaces/i_phone_state.h"
#include "interfaces/i_handset_control.h"
#include "interfaces/i_skype_link.h"
#include "dispatcher/notification_dispatcher.h"
#include "protocol/status_words.h"

namespace tolvane {
namespace {

int TextLength(const std::string& text) { return static_cast<int>(text.size() + 1); }

// A live call whose caller is still to be shown: ringing either way, or in
// early media.
bool ShowsCaller(int status) {
  return status == kCallStatusRingingOut || status == kCallStatusRingingIn || status == kCallStatusEarlyMedia;
}

bool EndedNormally(int status) {
  return status == kCallStatusFinished || status == kCallStatusVmSent || status == kCallStatusVmCancelled;
}

bool EndedUnanswered(int status) { return status >= kCallStatusMissed && status <= kCallStatusCancelled; }

}  // namespace

struct NotificationDispatcher::NumberSetters {
  Status (IPhoneState::*current)(int);
  Status (IPhoneState::*second)(int);
  Status (IPhoneState::*history)(int, int);
};

struct NotificationDispatcher::TextSetters {
  Status (IPhoneState::*current)(const char*, int);
  Status (IPhoneState::*second)(const char*, int);
  Status (IPhoneState::*history)(int, const char*, int);
};

bool NotificationDispatcher::StoreNumber(const CallLine& call, const NumberSetters& set, int value) {
  if (call.IsCurrent()) {
    (phone_.*set.current)(value);
  } else if (call.id == SecondCallId()) {
    (phone_.*set.second)(value);
  } else {
    (phone_.*set.history)(call.id, value);
    return true;
  }
  return false;
}

void NotificationDispatcher::StoreCallerText(const CallLine& call, const TextSetters& set, const std::string& text,
                                             Status (IContactList::*setShown)(const char*), std::uint32_t modeBit,
                                             std::uint8_t code) {
  int status = call.currentStatus;
  if (call.IsCurrent()) {
    (phone_.*set.current)(text.c_str(), TextLength(text));
  } else if (call.id == SecondCallId()) {
    status = SecondCallStatus();
    (phone_.*set.second)(text.c_str(), TextLength(text));
  } else {
    (phone_.*set.history)(call.id, text.c_str(), TextLength(text));
    return;
  }
  (contacts_.*setShown)(text.c_str());
  if (ShowsCaller(status)) ShowCaller(text, modeBit, code);
}

void NotificationDispatcher::OnCallSeen(const CallLine& call) {
  static constexpr NumberSetters kSeen{&IPhoneState::SetCurrentSeen, &IPhoneState::SetSecondSeen,
                                       &IPhoneState::SetHistorySeen};
  const bool history = StoreNumber(call, kSeen, SeenFlag(tokens_.Fourth()));
  // The last call of a history reload has answered: the history is complete
  // and the handset may be told so.
  if (history && lastListedCallId_ != 0 && call.id == lastListedCallId_) {
    lastListedCallId_ = 0;
    session_.SetHistoryLoaded(true);
    session_.SignalHandsetReady();
  }
}

void NotificationDispatcher::OnCallPartnerHandle(const CallLine& call) {
  static constexpr TextSetters kHandle{&IPhoneState::SetCurrentPartnerHandle, &IPhoneState::SetSecondPartnerHandle,
                                       &IPhoneState::SetHistoryPartnerHandle};
  StoreCallerText(call, kHandle, std::string(tokens_.Fourth()), &IContactList::SetShownHandle, kModeHandleText,
                  kCodeHandleReady);
}

void NotificationDispatcher::OnCallPartnerDisplayName(const CallLine& call) {
  static constexpr TextSetters kName{&IPhoneState::SetCurrentDisplayName, &IPhoneState::SetSecondDisplayName,
                                     &IPhoneState::SetHistoryDisplayName};
  StoreCallerText(call, kName, JoinRestOfLine(call.line, 4), &IContactList::SetShownName, kModeRenderedText,
                  kCodeRenderedReady);
}

void NotificationDispatcher::OnCallType(const CallLine& call) {
  static constexpr NumberSetters kType{&IPhoneState::SetCurrentCallType, &IPhoneState::SetSecondCallType,
                                       &IPhoneState::SetHistoryType};
  StoreNumber(call, kType, CallTypeCode(tokens_.Fourth()));
}

void NotificationDispatcher::OnCallDuration(const CallLine& call) {
  static constexpr NumberSetters kDuration{&IPhoneState::SetCurrentDuration, &IPhoneState::SetSecondDuration,
                                           &IPhoneState::SetHistoryDuration};
  StoreNumber(call, kDuration, ToInt(tokens_.Fourth()));
}

void NotificationDispatcher::OnCallTimestamp(const CallLine& call) {
  const long timestamp = ToLong(tokens_.Fourth());
  if (call.IsCurrent()) {
    CloseCurrentCall(call.currentStatus, timestamp);
  } else if (call.id == SecondCallId()) {
    CloseSecondCall(SecondCallStatus(), timestamp);
  } else {
    // A history call's last detail: the entry is complete, and the handset
    // shows it at once if it is the one selected.
    phone_.SetHistoryTimestamp(call.id, static_cast<int>(timestamp));
    phone_.AddHistoryCall(call.id, 1);
    phone_.RefreshSelected(call.id);
  }
}

// Closing an ended call, current or second, begins the same way: the
// handset's screen is handed over and, for a call that was talked, the
// handset shows the duration. False for a call still going on, which is left
// alone.
bool NotificationDispatcher::BeginClosingCall(int status) {
  const bool normal = EndedNormally(status);
  if (!normal && !EndedUnanswered(status)) return false;
  handset_.WaitDisplayIdle();
  if (normal && session_.HandsetAttached()) {
    handset_.AddModeBits(kModeDuration);
    SendCode(kCodeHandleReady);
  }
  return true;
}

// ... and ends the same way: a missed call is announced on the handset.
void NotificationDispatcher::EndClosingCall(int status) {
  if (status == kCallStatusMissed && session_.HandsetAttached()) ShowMissedCalls(1);
}

// Commits an ended current call to the history and lets a waiting second
// call take its place.
void NotificationDispatcher::CloseCurrentCall(int status, long timestamp) {
  if (!BeginClosingCall(status)) return;
  phone_.SetCurrentTimestamp(static_cast<int>(timestamp));
  phone_.CommitCurrentCall();
  phone_.ResetCurrentCall();
  if (SecondCallId() != 0) {
    phone_.PromoteSecondCall();
    phone_.ResetSecondCall();
  }
  EndClosingCall(status);
}

void NotificationDispatcher::CloseSecondCall(int status, long timestamp) {
  if (!BeginClosingCall(status)) return;
  phone_.SetSecondTimestamp(static_cast<int>(timestamp));
  phone_.CommitSecondCall();
  phone_.ResetSecondCall();
  EndClosingCall(status);
}

}  // namespace tolvane
