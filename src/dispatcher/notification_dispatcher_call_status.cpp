// CALL id STATUS word: the call state machine over the current call, the
// second call (one that arrives while another is current) and the history.
//
// "Current" is the call that was current when the line was taken; the
// branches act on that captured id and status, even where an earlier step of
// the same line has changed the store.
#include <initializer_list>
#include <string>

#include "interfaces/handset_codes.h"
#include "interfaces/handset_mode.h"
#include "interfaces/i_phone_state.h"
#include "interfaces/client_windows.h"
#include "protocol/command_kind.h"
#include "protocol/command_text.h"
#include "interfaces/i_handset_control.h"
#include "interfaces/i_skype_link.h"
#include "dispatcher/notification_dispatcher.h"
#include "protocol/status_words.h"

namespace tolvane {
namespace {

bool IsOneOf(int value, std::initializer_list<int> set) {
  for (const int member : set) {
    if (value == member) return true;
  }
  return false;
}

}  // namespace

void NotificationDispatcher::OnCallStatus(const CallLine& call, int statusCode) {
  switch (statusCode) {
    case kCallStatusRouting: OnRouting(call); break;
    case kCallStatusRingingIn: OnRinging(call); break;
    case kCallStatusEarlyMedia: OnEarlyMedia(call); break;
    case kCallStatusInProgress: OnInProgress(call); break;
    case kCallStatusOnHold: OnHold(call); break;
    case kCallStatusFinished: OnFinished(call); break;
    case kCallStatusMissed:
    case kCallStatusFailed:
    case kCallStatusRefused:
    case kCallStatusCancelled:
    case kCallStatusBusy: OnCallEnded(call, statusCode); break;
    case kCallStatusVmPlayingGreeting:
    case kCallStatusVmRecording:
    case kCallStatusVmRedirect:
    case kCallStatusVmSent:
    case kCallStatusVmCancelled: OnVoicemail(call, statusCode); break;
    default: break;
  }
}

// An outgoing call being placed. A call the history already holds is an
// old one the client reports again, not a new call.
void NotificationDispatcher::OnRouting(const CallLine& call) {
  if (phone_.HasHistoryCall(call.id) == kOk) return;
  phone_.SetCurrentCallId(call.id);
  phone_.SetCurrentCallStatus(kCallStatusRouting);
  handset_.WaitDisplayIdle();
  SendCode(kCodeOutgoingPlaced);
}

void NotificationDispatcher::OnRinging(const CallLine& call) {
  if (call.IsCurrent()) {
    // Our outgoing call rings at the far end.
    if (call.currentStatus != kCallStatusRouting) return;
    phone_.SetCurrentCallStatus(kCallStatusRingingOut);
    phone_.SetCurrentCallType(kCallTypeOutgoingP2P);
    handset_.WaitDisplayIdle();
    DisplayRequest(call.id);
  } else if (call.HasCurrent()) {
    // A second call while one is current: it rings only when the user asked
    // for that, and its caller is shown either way.
    phone_.SetSecondCallId(call.id);
    phone_.SetSecondCallStatus(kCallStatusRingingIn);
    handset_.WaitDisplayIdle();
    if (handset_.Settings().SupportInterruptRingON.load() != 0) SendCode(kCodeRing);
    DisplayRequest(call.id);
  } else if (!session_.HistoryLoaded()) {
    // Without the history the program cannot tell a new call from an old
    // one: the call is refused, and the next one is taken normally.
    session_.QueueCommand(BuildFinishCallText(call.id).c_str());
    session_.SetHistoryLoaded(true);
  } else {
    phone_.SetCurrentCallId(call.id);
    phone_.SetCurrentCallStatus(kCallStatusRingingIn);
    phone_.SetCurrentCallType(kCallTypeIncomingP2P);
    if (Browsing() || (handset_.Mode() & kModeCallerIdAsked) != 0) handset_.WaitDisplayIdle();
    if (phone_.HasHistoryCall(call.id) == kOk) return;
    SendCode(kCodeRing);
    DisplayRequest(call.id);
  }
}

void NotificationDispatcher::OnEarlyMedia(const CallLine& call) {
  if (call.IsCurrent()) {
    if (call.currentStatus != kCallStatusRouting) return;
    phone_.SetCurrentCallStatus(kCallStatusEarlyMedia);
    handset_.WaitDisplayIdle();
    DisplayRequest(call.id);
  } else if (call.HasCurrent()) {
    phone_.SetSecondCallId(call.id);
    phone_.SetSecondCallStatus(kCallStatusEarlyMedia);
    handset_.WaitDisplayIdle();
    if (handset_.Settings().SupportInterruptRingON.load() != 0) SendCode(kCodeRing);
    DisplayRequest(call.id);
  } else {
    phone_.SetCurrentCallId(call.id);
    phone_.SetCurrentCallStatus(kCallStatusEarlyMedia);
    phone_.SetCurrentCallType(kCallTypeIncomingPstn);
    if (Browsing()) handset_.WaitDisplayIdle();
    if (phone_.HasHistoryCall(call.id) == kOk) return;
    SendCode(kCodeRing);
    DisplayRequest(call.id);
  }
}

void NotificationDispatcher::OnInProgress(const CallLine& call) {
  if (call.IsCurrent()) {
    if (!IsOneOf(call.currentStatus, {kCallStatusRouting, kCallStatusRingingOut, kCallStatusRingingIn,
                                      kCallStatusOnHold, kCallStatusEarlyMedia})) {
      return;
    }
    phone_.SetCurrentCallStatus(kCallStatusInProgress);
  } else {
    // Any other call: the second call, answered while it rang.
    if (SecondCallStatus() != kCallStatusRingingIn) return;
    phone_.SetSecondCallStatus(kCallStatusInProgress);
  }
  handset_.WaitDisplayIdle();
  SendCode(kCodeCallInProgress);
}

void NotificationDispatcher::OnHold(const CallLine& call) {
  if (call.IsCurrent()) {
    if (!IsOneOf(call.currentStatus,
                 {kCallStatusRouting, kCallStatusInProgress, kCallStatusOnHold, kCallStatusEarlyMedia})) {
      return;
    }
    phone_.SetCurrentCallStatus(kCallStatusOnHold);
  } else {
    // Any other call: the second call in progress. While the current call is
    // only in early media, the call being put on hold is the one the user was
    // talking on before placing it, so the hold is shown as well.
    if (SecondCallStatus() != kCallStatusInProgress && call.currentStatus != kCallStatusEarlyMedia) return;
    phone_.SetSecondCallStatus(kCallStatusOnHold);
  }
  SendCode(kCodeCallOnHold);
}

void NotificationDispatcher::OnFinished(const CallLine& call) {
  const bool currentTalking =
      IsOneOf(call.currentStatus, {kCallStatusInProgress, kCallStatusOnHold, kCallStatusEarlyMedia});
  if (call.IsCurrent()) {
    if (call.currentStatus == kCallStatusRouting) {
      phone_.SetCurrentCallStatus(kCallStatusFinished);
      HangUpIndication(call.id);
    } else if (currentTalking) {
      const int second = SecondCallStatus();
      phone_.SetCurrentCallStatus(kCallStatusFinished);
      handset_.WaitDisplayIdle();
      SendCode(kCodeCallFinished);
      Pause(20);
      // A second call still waiting rings again now that the line is free.
      if (IsOneOf(second, {kCallStatusRouting, kCallStatusRingingOut, kCallStatusRingingIn})) {
        SendCode(kCodeRing);
        Pause(10);
      }
      SendCallQueries(call.id, {kCmdGetCallPartnerDispName, kCmdGetCallPartnerHandle, kCmdGetCallSeen,
                                kCmdGetCallType, kCmdGetCallDuration, kCmdGetCallTimestamp});
    }
  } else if (call.HasCurrent()) {
    if (!currentTalking) return;
    phone_.SetSecondCallStatus(kCallStatusFinished);
    SendCallQueries(call.id, {kCmdGetCallPartnerDispName, kCmdGetCallPartnerHandle, kCmdGetCallType,
                              kCmdGetCallSeen, kCmdGetCallDuration, kCmdGetCallTimestamp});
  } else {
    phone_.SetHistoryStatus(call.id, kCallStatusFinished);
  }
}

// MISSED, FAILED, REFUSED, CANCELLED, BUSY.
void NotificationDispatcher::OnCallEnded(const CallLine& call, int statusCode) {
  if (call.IsCurrent()) {
    if (IsOneOf(call.currentStatus,
                {kCallStatusRouting, kCallStatusRingingOut, kCallStatusRingingIn, kCallStatusInProgress,
                 kCallStatusOnHold, kCallStatusVmPlayingGreeting, kCallStatusVmRecording, kCallStatusVmSent,
                 kCallStatusVmCancelled, kCallStatusVmRedirect, kCallStatusEarlyMedia})) {
      phone_.SetCurrentCallStatus(statusCode);
      // The client shows its own error window for a failed call; the handset
      // tells the user to look at the screen.
      if (statusCode == kCallStatusFailed && windows_.WindowExists(kClientErrorWindowClass)) {
        SendCode(kCodePromptShown);
      }
      // A call the user had taken up: put the client's hook down.
      if (IsOneOf(call.currentStatus,
                  {kCallStatusRouting, kCallStatusInProgress, kCallStatusOnHold, kCallStatusEarlyMedia})) {
        session_.SendCommand(kCmdHookOn, nullptr, 0);
      }
    }
    HangUpIndication(call.id);
  } else if (call.id == SecondCallId()) {
    phone_.SetSecondCallStatus(statusCode);
    HangUpIndication(call.id);
  } else {
    phone_.SetHistoryStatus(call.id, statusCode);
  }
}

// The voicemail states: greeting, recording, redirect, sent, cancelled.
void NotificationDispatcher::OnVoicemail(const CallLine& call, int statusCode) {
  // A sent or cancelled voicemail ends the call.
  const bool ends = statusCode == kCallStatusVmSent || statusCode == kCallStatusVmCancelled;
  if (call.IsCurrent()) {
    phone_.SetCurrentCallStatus(statusCode);
    if (ends) HangUpIndication(call.id);
    return;
  }
  const bool second = call.id == SecondCallId();
  if (!second && !call.HasCurrent() && statusCode != kCallStatusVmRedirect) {
    phone_.SetHistoryStatus(call.id, statusCode);
    return;
  }
  phone_.SetSecondCallStatus(statusCode);
  if (ends) HangUpIndication(call.id);
}

}  // namespace tolvane
