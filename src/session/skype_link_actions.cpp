// The session actions: discover the client, set up the attached session,
// detach. Each runs on a thread of its own so that the caller (the main
// window, the handset keys) returns at once; the threads are kept in a list,
// reaped when finished and joined on shutdown.
#include <chrono>
#include <utility>

#include "common/log.h"
#include "interfaces/handset_codes.h"
#include "interfaces/i_handset_control.h"
#include "interfaces/i_phone_state.h"
#include "interfaces/client_transport.h"
#include "protocol/command_kind.h"
#include "interfaces/option_dialogs.h"
#include "session/skype_link.h"
#include "interfaces/sound_mapper.h"

namespace tolvane {
namespace {

using std::chrono::milliseconds;

}  // namespace

Status SkypeLink::RunSessionAction(int code) {
  std::lock_guard<std::mutex> hold(actionLock_);
  if (actionsClosed_) return kOk;
  ReapFinishedActionsLocked();
  auto action = std::make_unique<ActionThread>();
  ActionThread& started = *action;
  // The code travels with the thread: a second request before this thread
  // runs must not change what it does.
  if (!threads_.Start(started.thread, "action", [this, code, &started] {
        RunAction(code);
        started.finished.store(true);
      })) {
    return kFail;  // no thread: the action is not run
  }
  actions_.push_back(std::move(action));
  return kOk;
}

void SkypeLink::ReapFinishedActionsLocked() {
  for (auto it = actions_.begin(); it != actions_.end();) {
    if ((*it)->finished.load()) {
      (*it)->thread.join();  // it has returned or is returning
      it = actions_.erase(it);
    } else {
      ++it;
    }
  }
}

void SkypeLink::JoinActions() {
  std::vector<std::unique_ptr<ActionThread>> running;
  {
    std::lock_guard<std::mutex> hold(actionLock_);
    actionsClosed_ = true;
    running = std::move(actions_);
  }
  for (auto& action : running) {
    if (action->thread.joinable()) action->thread.join();
  }
}

void SkypeLink::RunAction(int code) {
  switch (code) {
    case kActionDiscover:
      Discover();
      break;
    case kActionSetUpSession:
      SetUpAttachedSession();
      break;
    case kActionDetach:
      Detach();
      break;
    default:
      break;  // no such action
  }
}

void SkypeLink::Discover() {
  if (dialogs_ != nullptr) dialogs_->CloseOpenDialogs();
  if (soundMapper_ != nullptr && handset_.Settings().SupportAutoSwitchSystemAudioDevice.load() != 0) {
    soundMapper_->MoveDefaultDevicesOffHandset();
  }
  LogEvent("looking for the client");
  transport_.BroadcastDiscover();
  if (dialogs_ != nullptr) dialogs_->ForgetWorkerThreads();
}

void SkypeLink::SetUpAttachedSession() {
  if (handset_.Settings().SupportAutoSwitchAudioDevice.load() != 0) {
    SendCommand(kCmdSetAudioIn, nullptr, 0);
    SendCommand(kCmdSetAudioOut, nullptr, 0);
    SendCommand(kCmdSetRinger, nullptr, 0);
    SendCommand(kCmdGetAudioIn, nullptr, 0);
    SendCommand(kCmdGetAudioOut, nullptr, 0);
  }
  AnnounceProtocol();
  if (!delay_.Wait(milliseconds(15))) return;

  if (IPhoneState* phone = phoneState_.load()) {
    CloseCallInProgress(*phone);
    phone->ResetCurrentCall();
    phone->ResetSecondCall();
  }

  // A refused FOCUS means the client is not ready for the handset's keys:
  // they are dropped until the session is set up.
  if (handset_.ExecuteKeyCommand(kKeyFocus) == 0) handset_.EnableKeys(false);
  SendCommand(kCmdSearchFriends, nullptr, 0);
  SendCommand(kCmdSearchCalls, nullptr, 0);
  if (!delay_.Wait(milliseconds(200))) return;
  LogEvent("session with the client set up");
  SignalHandsetReady();
  handset_.EnableKeys(true);
}

// A call that was ringing or in progress when the session was lost cannot be
// followed any further: it goes into the history as refused or failed, with
// its details asked for again.
void SkypeLink::CloseCallInProgress(IPhoneState& phone) {
  int callId = 0;
  int status = -1;
  phone.GetCurrentCallId(&callId);
  phone.GetCurrentCallStatus(&status);
  if (callId == 0 || (status != kCallStatusRingingIn && status != kCallStatusInProgress)) return;
  phone.SetCurrentCallStatus(status == kCallStatusRingingIn ? kCallStatusRefused : kCallStatusFailed);
  phone.CommitCurrentCall();
  phone.ResetCurrentCall();
  phone.ResetSecondCall();
  for (int kind : {kCmdGetCallPartnerDispName, kCmdGetCallPartnerHandle, kCmdGetCallSeen,
                   kCmdGetCallDuration, kCmdGetCallTimestamp}) {
    SendCommand(kind, nullptr, callId);
  }
}

void SkypeLink::Detach() {
  if (dialogs_ != nullptr) dialogs_->CloseOpenDialogs();
  SendCommand(kCmdResetAudioIn, nullptr, 0);
  SendCommand(kCmdResetAudioOut, nullptr, 0);
  SendCommand(kCmdResetRinger, nullptr, 0);
  // The outgoing worker sends the three resets meanwhile.
  if (!delay_.Wait(milliseconds(200))) return;
  LogEvent("detaching from the client");
  transport_.SendDetach();
  if (dialogs_ != nullptr) dialogs_->ForgetWorkerThreads();
}

int SkypeLink::SignalHandsetReady() {
  handset_.AcceptAnySequence();
  handset_.SendCode(kCodeSignalReady);
  if (delay_.Wait(milliseconds(25))) handset_.SendCode(kCodeSignalReadyFollowUp);
  return 1;
}

}  // namespace tolvane
