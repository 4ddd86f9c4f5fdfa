// How a handset key becomes an action: the key table of DispatchKey and the
// client commands of ExecuteKeyCommand, sent straight to the client.
#include <chrono>
#include <thread>

#include "interfaces/handset_codes.h"
#include "handset/handset_control.h"
#include "interfaces/level_control.h"
#include "interfaces/client_transport.h"
#include "interfaces/i_skype_link.h"

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

}  // namespace

int HandsetControl::DispatchKey(const KeyRecord& key) {
  const int code = key.key;
  switch (code) {
    case kKeyStopIndicator:
    case kKeyMuteOff:
    case kKeyMuteOn:
    case kKeyFocus:
      ExecuteKeyCommand(code);
      return 1;
    case kKeyShowOwnStatus: {
      ISkypeLink* link = link_.load();
      if (link == nullptr) return 1;
      int status = 0;
      link->GetUserStatus(&status);
      link->SendUserStatusCode(status);
      return 1;
    }
    case kKeyCodeByte:
      SendCode(codeByte_);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      return 1;
    case kKeyPlus:
      ExecuteKeyCommand(kKeyFocus);
      ExecuteKeyCommand(code);
      return 1;
    case kKeyVolumeUp:
    case kKeyVolumeDown:
      if (LevelControl* speaker = speaker_.load()) {
        speaker->SetFaderValue(code == kKeyVolumeUp ? kFaderStepUp : kFaderStepDown, 0);
      }
      return 1;
    default:
      break;
  }
  if (code >= kKeyStatusFirst && code <= kKeyStatusLast) ExecuteKeyCommand(code);
  return 1;
}

int HandsetControl::ExecuteKeyCommand(int code) {
  if (code == kKeyStopIndicator) {
    StopIndicatorAsync();
    return 1;
  }
  if (const char* text = FixedCommandText(code)) return SendClientCommand(text);
  return 1;
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

}  // namespace tolvane
