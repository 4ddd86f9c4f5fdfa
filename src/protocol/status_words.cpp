#include "protocol/status_words.h"

#include <span>

namespace tolvane {
namespace {

struct WordCode {
  std::string_view word;
  int code;
};

std::optional<int> Lookup(std::span<const WordCode> table, std::string_view word) {
  for (const WordCode& entry : table) {
    if (entry.word == word) return entry.code;
  }
  return std::nullopt;
}

// RINGING is absent: its code depends on the call's previous status.
constexpr WordCode kCallStatusWords[] = {
    {"ROUTING", kCallStatusRouting},
    {"INPROGRESS", kCallStatusInProgress},
    {"FINISHED", kCallStatusFinished},
    {"MISSED", kCallStatusMissed},
    {"FAILED", kCallStatusFailed},
    {"REFUSED", kCallStatusRefused},
    {"BUSY", kCallStatusBusy},
    {"CANCELLED", kCallStatusCancelled},
    {"LOCALHOLD", kCallStatusOnHold},
    {"REMOTEHOLD", kCallStatusOnHold},
    {"VM_PLAYING_GREETING", kCallStatusVmPlayingGreeting},
    {"VM_RECORDING", kCallStatusVmRecording},
    {"VM_SENT", kCallStatusVmSent},
    {"VM_CANCELLED", kCallStatusVmCancelled},
    {"VM_REDIRECT", kCallStatusVmRedirect},
    {"EARLYMEDIA", kCallStatusEarlyMedia},
};

constexpr WordCode kCallTypeWords[] = {
    {"INCOMING_P2P", kCallTypeIncomingP2P},
    {"OUTGOING_P2P", kCallTypeOutgoingP2P},
    {"INCOMING_PSTN", kCallTypeIncomingPstn},
    {"OUTGOING_PSTN", kCallTypeOutgoingPstn},
};

// The own-status words are the first seven; SKYPEOUT is for contacts only.
constexpr WordCode kOnlineStatusWords[] = {
    {"ONLINE", kOnlineStatusOnline},
    {"OFFLINE", kOnlineStatusOffline},
    {"SKYPEME", kOnlineStatusSkypeMe},
    {"AWAY", kOnlineStatusAway},
    {"NA", kOnlineStatusNotAvailable},
    {"DND", kOnlineStatusDoNotDisturb},
    {"INVISIBLE", kOnlineStatusInvisible},
    {"SKYPEOUT", kOnlineStatusSkypeOut},
};
constexpr std::size_t kOwnStatusWordCount = 7;

constexpr WordCode kConnStatusWords[] = {
    {"OFFLINE", kConnStatusOffline},
    {"CONNECTING", kConnStatusConnecting},
    {"ONLINE", kConnStatusOnline},
    {"LOGGEDOUT", kConnStatusLoggedOut},
};

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::optional<int> CallStatusCode(std::string_view word, int previousStatus) {
  if (word == "RINGING") {
    return previousStatus == kCallStatusRouting ? kCallStatusRingingOut : kCallStatusRingingIn;
  }
  return Lookup(kCallStatusWords, word);
}

int CallTypeCode(std::string_view word) {
  return Lookup(kCallTypeWords, word).value_or(kCallTypeNone);
}

int OnlineStatusCode(std::string_view word) {
  return Lookup(kOnlineStatusWords, word).value_or(kOnlineStatusOffline);
}

int UserStatusCode(std::string_view word) {
  const std::span<const WordCode> ownWords(kOnlineStatusWords, kOwnStatusWordCount);
  return Lookup(ownWords, word).value_or(kOnlineStatusOffline);
}

int ConnStatusCode(std::string_view word) {
  return Lookup(kConnStatusWords, word).value_or(kConnStatusOffline);
}

int SeenFlag(std::string_view word) { return word == "TRUE" ? 1 : 0; }

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

}  // namespace tolvane
