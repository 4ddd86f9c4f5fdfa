// The handset steps that the dispatcher's branches share: asking for a
// caller's name, the end-of-call refresh, caller and message screens, the
// missed-call message and the watch for the client's confirmation window.
#include <chrono>
#include <string>

#include "common/bounded_text.h"
#include "interfaces/handset_codes.h"
#include "interfaces/handset_mode.h"
#include "interfaces/i_phone_state.h"
#include "interfaces/display_renderer.h"
#include "common/action_delay.h"
#include "interfaces/client_windows.h"
#include "protocol/command_kind.h"
#include "interfaces/i_handset_control.h"
#include "interfaces/i_skype_link.h"
#include "dispatcher/notification_dispatcher.h"
#include "protocol/status_words.h"

namespace tolvane {
namespace {

constexpr std::uint32_t kBrowsingBits = kModeBrowseContacts | kModeBrowseHistory;
constexpr std::uint32_t kBusyBits = kBrowsingBits | kModeMissedCalls;

}  // namespace

// Asks for the caller of a ringing call: its display name when the handset
// renders names, its handle otherwise.
void NotificationDispatcher::DisplayRequest(int callId) {
  if (!session_.HandsetAttached()) return;
  session_.SendCommand(DisplayNamesShown() ? kCmdGetCallPartnerDispName : kCmdGetCallPartnerHandle, nullptr,
                       callId);
  handset_.SetMode(kModeCallerIdAsked);
}

// Everything the history entry of an ended call needs; the TIMESTAMP reply
// comes last and commits the call.
void NotificationDispatcher::EndRefresh(int callId) {
  Pause(20);
  SendCallQueries(callId, {kCmdGetCallPartnerDispName, kCmdGetCallPartnerHandle, kCmdGetCallType, kCmdGetCallSeen,
                           kCmdGetCallDuration, kCmdGetCallTimestamp});
}

void NotificationDispatcher::HangUpIndication(int callId) {
  handset_.WaitDisplayIdle();
  SendCode(kCodeCallFinished);
  EndRefresh(callId);
}

void NotificationDispatcher::SendCallQueries(int callId, std::initializer_list<int> kinds) {
  for (const int kind : kinds) session_.SendCommand(kind, nullptr, callId);
}

// The caller of a live call, once its handle or name has arrived.
void NotificationDispatcher::ShowCaller(std::string_view text, std::uint32_t modeBit, std::uint8_t code) {
  if (!session_.HandsetAttached()) return;
  handset_.AddModeBits(modeBit);
  ShowText(text);
  SendCode(code);
}

void NotificationDispatcher::ShowText(std::string_view text) {
  DisplayRenderer* renderer = session_.Renderer();
  if (renderer == nullptr) return;
  char buffer[kTextBufferSize] = {};
  CopyText(buffer, text);
  renderer->ShowText(buffer);
}

void NotificationDispatcher::Pause(int milliseconds) {
  // A pause cut short by shutdown still lets the step finish: it only
  // orders events on the handset.
  delay_.Wait(std::chrono::milliseconds(milliseconds));
}

void NotificationDispatcher::SendCode(std::uint8_t code) { handset_.SendCode(code); }

bool NotificationDispatcher::DisplayNamesShown() const {
  return handset_.Settings().NotSupportedFont.load() != 0;  // kept negated: 1 = names rendered
}

bool NotificationDispatcher::Browsing() const { return (handset_.Mode() & kBrowsingBits) != 0; }

bool NotificationDispatcher::DisplayBusy() const { return (handset_.Mode() & kBusyBits) != 0; }

int NotificationDispatcher::SecondCallId() const {
  int id = 0;
  phone_.GetSecondCallId(&id);
  return id;
}

int NotificationDispatcher::SecondCallStatus() const {
  int status = kCallStatusNone;
  phone_.GetSecondCallStatus(&status);
  return status;
}

void NotificationDispatcher::ShowMissedCalls(int refresh) {
  int count = 0;
  phone_.CountUnseenMissedCalls(&count);
  std::string text;
  if (count > 0) {
    text = "You have " + std::to_string(count) + " missed call" + (count == 1 ? " !" : "s !");
  } else if (refresh == 1) {
    // Nothing to show: the handset gets the user's status back instead.
    session_.RequestSkypeStatus();
    return;
  } else {
    text = "No Missed Calls !";
  }
  if (!session_.HandsetAttached()) return;
  handset_.SetMode(kModeMissedCalls | kModeRenderedText);
  ShowText(text);
  Pause(20);
  SendCode(kCodeRenderedReady);
}

// Signals the client's confirmation window to the handset once per
// appearance, and only while no call is current and the handset's screen is
// free.
void NotificationDispatcher::CheckConfirmationWindow() {
  if (!windows_.WindowExists(kClientConfirmationWindowClass)) {
    confirmPromptSeen_ = false;
    return;
  }
  if (confirmPromptSeen_ || lastCurrentCallId_ != 0 || DisplayBusy()) return;
  handset_.WaitDisplayIdle();
  SendCode(kCodePromptShown);
  confirmPromptSeen_ = true;
}

// The confirmation window can appear without a line announcing it while a
// call rings, is being placed or is in progress. With no call in the store
// the worker is left asleep: a window that appears then is reported by the
// client's window events.
bool NotificationDispatcher::WatchesClientWindows() const {
  int current = 0;
  phone_.GetCurrentCallId(&current);
  return current != 0 || SecondCallId() != 0;
}

}  // namespace tolvane
