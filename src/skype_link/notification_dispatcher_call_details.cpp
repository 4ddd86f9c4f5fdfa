// The CALL id properties other than STATUS: the replies that fill in a
// call's record, and TIMESTAMP, the last reply of a call's end refresh, which
// moves a finished call into the history.
#include <string>

#include "handset/handset_codes.h"
#include "handset/handset_mode.h"
#include "phone_state/i_contact_list.h"
#include "phone_state/i_phone_state.h"
#include "skype_link/dispatch_handset.h"
#include "skype_link/dispatch_session.h"
#include "skype_link/notification_dispatcher.h"
#include "skype_link/status_words.h"

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

void NotificationDispatcher::OnCallSeen(const CallLine& call) {
  const int seen = SeenFlag(tokens_.Fourth());
  if (call.IsCurrent()) {
    phone_.SetCurrentSeen(seen);
  } else if (call.id == SecondCallId()) {
    phone_.SetSecondSeen(seen);
  } else {
    phone_.SetHistorySeen(call.id, seen);
    // The last call of a history reload has answered: the history is
    // complete and the handset may be told so.
    if (lastListedCallId_ != 0 && call.id == lastListedCallId_) {
      lastListedCallId_ = 0;
      session_.SetHistoryLoaded(true);
      session_.SignalHandsetReady();
    }
  }
}

void NotificationDispatcher::OnCallPartnerHandle(const CallLine& call) {
  const std::string handle(tokens_.Fourth());
  if (call.IsCurrent()) {
    phone_.SetCurrentPartnerHandle(handle.c_str(), TextLength(handle));
    contacts_.SetShownHandle(handle.c_str());
    if (ShowsCaller(call.currentStatus)) ShowCaller(handle, kModeHandleText, kCodeHandleReady);
  } else if (call.id == SecondCallId()) {
    const int secondStatus = SecondCallStatus();
    phone_.SetSecondPartnerHandle(handle.c_str(), TextLength(handle));
    contacts_.SetShownHandle(handle.c_str());
    if (ShowsCaller(secondStatus)) ShowCaller(handle, kModeHandleText, kCodeHandleReady);
  } else {
    phone_.SetHistoryPartnerHandle(call.id, handle.c_str(), TextLength(handle));
  }
}

void NotificationDispatcher::OnCallPartnerDisplayName(const CallLine& call) {
  const std::string name = JoinRestOfLine(call.line, 4);
  if (call.IsCurrent()) {
    phone_.SetCurrentDisplayName(name.c_str(), TextLength(name));
    contacts_.SetShownName(name.c_str());
    if (ShowsCaller(call.currentStatus)) ShowCaller(name, kModeRenderedText, kCodeRenderedReady);
  } else if (call.id == SecondCallId()) {
    const int secondStatus = SecondCallStatus();
    phone_.SetSecondDisplayName(name.c_str(), TextLength(name));
    contacts_.SetShownName(name.c_str());
    if (ShowsCaller(secondStatus)) ShowCaller(name, kModeRenderedText, kCodeRenderedReady);
  } else {
    phone_.SetHistoryDisplayName(call.id, name.c_str(), TextLength(name));
  }
}

void NotificationDispatcher::OnCallType(const CallLine& call) {
  const int type = CallTypeCode(tokens_.Fourth());
  if (call.IsCurrent()) {
    phone_.SetCurrentCallType(type);
  } else if (call.id == SecondCallId()) {
    phone_.SetSecondCallType(type);
  } else {
    phone_.SetHistoryType(call.id, type);
  }
}

void NotificationDispatcher::OnCallDuration(const CallLine& call) {
  const int seconds = ToInt(tokens_.Fourth());
  if (call.IsCurrent()) {
    phone_.SetCurrentDuration(seconds);
  } else if (call.id == SecondCallId()) {
    phone_.SetSecondDuration(seconds);
  } else {
    phone_.SetHistoryDuration(call.id, seconds);
  }
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

// Commits an ended current call to the history and lets a waiting second
// call take its place. A call still going on is left alone.
void NotificationDispatcher::CloseCurrentCall(int status, long timestamp) {
  const bool normal = EndedNormally(status);
  if (!normal && !EndedUnanswered(status)) return;
  session_.WaitDisplayIdle();
  if (normal && session_.HandsetAttached()) {
    handset_.Mode().fetch_or(kModeDuration);
    SendCode(kCodeHandleReady);
  }
  phone_.SetCurrentTimestamp(static_cast<int>(timestamp));
  phone_.CommitCurrentCall();
  phone_.ResetCurrentCall();
  if (SecondCallId() != 0) {
    phone_.PromoteSecondCall();
    phone_.ResetSecondCall();
  }
  if (status == kCallStatusMissed && session_.HandsetAttached()) ShowMissedCalls(1);
}

void NotificationDispatcher::CloseSecondCall(int status, long timestamp) {
  const bool normal = EndedNormally(status);
  if (!normal && !EndedUnanswered(status)) return;
  session_.WaitDisplayIdle();
  if (normal && session_.HandsetAttached()) {
    handset_.Mode().fetch_or(kModeDuration);
    SendCode(kCodeHandleReady);
  }
  phone_.SetSecondTimestamp(static_cast<int>(timestamp));
  phone_.CommitSecondCall();
  phone_.ResetSecondCall();
  if (status == kCallStatusMissed && session_.HandsetAttached()) ShowMissedCalls(1);
}

}  // namespace tolvane
