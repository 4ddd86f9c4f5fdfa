// How a handset key becomes an action: the key table of DispatchKey and the
// client commands of ExecuteKeyCommand, sent straight to the client. The
// hook keys are in hook_keys.cpp, the other call keys in call_keys.cpp and
// browsing in browse_keys.cpp.
#include <cstdio>
#include <mutex>

#include "handset/handset_control.h"
#include "interfaces/client_transport.h"
#include "interfaces/client_windows.h"
#include "interfaces/handset_codes.h"
#include "interfaces/i_phone_state.h"
#include "interfaces/i_skype_link.h"
#include "interfaces/level_control.h"

namespace tolvane {

namespace {

// The own-status keys in code order.
constexpr const char* kUserStatusCommands[] = {
    "SET USERSTATUS DND",  "SET USERSTATUS ONLINE", "SET USERSTATUS OFFLINE",   "SET USERSTATUS SKYPEME",
    "SET USERSTATUS AWAY", "SET USERSTATUS NA",     "SET USERSTATUS INVISIBLE", "SET USERSTATUS SKYPEOUT",
};

// The fixed command text of a key whose command depends on nothing else;
// null for keys without one.
const char* FixedCommandText(int code) {
  switch (code) {
    case kKeyMuteOff:
      return "SET MUTE OFF";
    case kKeyMuteOn:
      return "SET MUTE ON";
    case kKeyFocus:
      return "FOCUS";
    case kKeyPlus:
      return "BTN_RELEASED +";
    default:
      break;
  }
  if (code >= kKeyStatusFirst && code <= kKeyStatusLast) return kUserStatusCommands[code - kKeyStatusFirst];
  return nullptr;
}

bool IsDigit(int code) { return code >= kKeyDigitFirst && code <= kKeyDigitLast; }

// The keys that first bring the client forward.
bool FocusesFirst(int code) {
  return code == kKeyBackspace || IsDigit(code) || code == kKeyUp || code == kKeyDown || code == kKeyPlus;
}

// The keys whose command is their own code.
bool RunsOwnCommand(int code) {
  switch (code) {
    case kKeyStopIndicator:
    case kKeyHookUp:
    case kKeyHookDown:
    case kKeyHold:
    case kKeyMuteOff:
    case kKeyMuteOn:
    case kKeySend:
    case kKeyFocus:
    case kKeyRight:
      return true;
    default:
      return code >= kKeyStatusFirst && code <= kKeyStatusLast;
  }
}

bool IsBrowseKey(int code) {
  switch (code) {
    case kKeyBrowseContacts:
    case kKeyBrowseOnline:
    case kKeyBrowseAll:
    case kKeyBrowseMissed:
    case kKeyBrowseHistory:
    case kKeyBrowseLeave:
      return true;
    default:
      return false;
  }
}

}  // namespace

int HandsetControl::DispatchKey(const KeyRecord& key) {
  const int code = key.key;
  if (RunsOwnCommand(code)) {
    ExecuteKeyCommand(code);
    return 1;
  }
  if (FocusesFirst(code)) {
    ExecuteKeyCommand(kKeyFocus);
    ExecuteKeyCommand(code);
    return 1;
  }
  if (IsBrowseKey(code)) {
    std::lock_guard<std::mutex> hold(keyLock_);
    BrowseKey(code);
    return 1;
  }
  switch (code) {
    case kKeyShowOwnStatus:
      if (ISkypeLink* link = link_.load()) {
        int status = 0;
        link->GetUserStatus(&status);
        link->SendUserStatusCode(status);
      }
      return 1;
    case kKeyBalance: {
      std::lock_guard<std::mutex> hold(keyLock_);
      return ShowBalance();
    }
    case kKeyCodeByte:
      SendCode(codeByte_);
      Pause(20);
      return 1;
    case kKeyClear:
      ExecuteKeyCommand(code);
      {
        std::lock_guard<std::mutex> hold(keyLock_);
        ClickDialGridIfShown();
      }
      return 1;
    case kKeyCloseSkype:
      if (ClientWindows* windows = windows_.load()) windows->CloseMainWindow();
      return 1;
    case kKeyVolumeUp:
    case kKeyVolumeDown:
      if (LevelControl* speaker = speaker_.load()) {
        speaker->SetFaderValue(code == kKeyVolumeUp ? kFaderStepUp : kFaderStepDown, 0);
      }
      return 1;
    default:
      return 1;
  }
}

int HandsetControl::ExecuteKeyCommand(int code) {
  if (code == kKeyStopIndicator) {
    StopIndicatorAsync();
    return 1;
  }
  // The hook keys take the screen off the handset first; the wait for it is
  // bounded and is not made under the key lock, so that a stalled screen
  // does not hold the other thread's key as well.
  if (code == kKeyHookUp || code == kKeyHookDown) StopIndicatorAndWait();
  std::lock_guard<std::mutex> hold(keyLock_);
  return RunKeyCommand(code);
}

int HandsetControl::RunKeyCommand(int code) {
  if (const char* text = FixedCommandText(code)) return SendClientCommand(text);
  if (IsDigit(code)) return Digit(code);
  switch (code) {
    case kKeyHookUp:
      return HookUp();
    case kKeyHookDown:
      return HookDown();
    case kKeyHold:
      return Hold();
    case kKeySend:
      return SendKey();
    case kKeyClear:
      return Clear();
    case kKeyBackspace:
      if (ClientWindows* windows = windows_.load()) windows->PressBackspace();
      return 1;
    case kKeyUp:
    case kKeyDown:
      return Scroll(code);
    case kKeyRight:
      return SkypeButton();
    default:
      return 1;
  }
}

HandsetControl::Calls HandsetControl::ReadCalls() const {
  Calls calls;
  if (IPhoneState* phone = phoneState_.load()) {
    phone->GetCurrentCallId(&calls.current);
    phone->GetCurrentCallStatus(&calls.currentStatus);
    phone->GetSecondCallId(&calls.second);
    phone->GetSecondCallStatus(&calls.secondStatus);
  }
  return calls;
}

int HandsetControl::SendClientCommand(std::string_view text) {
  if (text.empty()) return 0;
  ClientTransport* transport = transport_.load();
  if (transport != nullptr && transport->SendLine(text)) return 1;
  // The client did not take the line: it is dropped, and the session starts
  // over by finding the client again.
  if (ISkypeLink* link = link_.load()) link->RunSessionAction(kActionDiscover);
  return 0;
}

// The call-status commands carry the call id padded to five characters.
int HandsetControl::SendCallStatus(int callId, const char* status) {
  char text[256];
  std::snprintf(text, sizeof text, "SET CALL %5d STATUS %s", callId, status);
  return SendClientCommand(text);
}

}  // namespace tolvane
