#include "protocol/command_text.h"

#include <array>
#include <cstdio>

namespace tolvane {
namespace {

// What fills the one field a command may have.
enum class Field { kNone, kUser, kCallId, kDevice, kAppName };

struct CommandForm {
  const char* head;  // text before the field (the whole text when there is none)
  Field field;
  const char* tail;  // text after the field
};

constexpr int kFirstKind = 1;
constexpr int kLastKind = 33;

// Indexed by kind - 1. A null head marks a kind without a command.
constexpr std::array<CommandForm, kLastKind> kForms = {{
    {"PROTOCOL 5", Field::kNone, ""},                      // 1
    {"PING", Field::kNone, ""},                            // 2
    {"SET AUDIO_IN ", Field::kDevice, " "},                // 3
    {"SET AUDIO_OUT ", Field::kDevice, " "},               // 4
    {"GET SKYPEVERSION", Field::kNone, ""},                // 5
    {"SEARCH FRIENDS", Field::kNone, ""},                  // 6
    {"GET USER ", Field::kUser, " ONLINESTATUS"},          // 7
    {"GET CALL ", Field::kCallId, " PARTNER_HANDLE"},      // 8
    {"GET CALL ", Field::kCallId, " PARTNER_DISPNAME"},    // 9
    {"GET USER ", Field::kUser, " FULLNAME"},              // 10
    {"GET CALL ", Field::kCallId, " TYPE"},                // 11
    {"SEARCH CALLS", Field::kNone, ""},                    // 12
    {"GET CALL ", Field::kCallId, " TIMESTAMP"},           // 13
    {nullptr, Field::kNone, ""},                           // 14
    {"GET USER ", Field::kUser, " DISPLAYNAME"},           // 15
    {"NAME ", Field::kAppName, ""},                        // 16
    {"GET CALL ", Field::kCallId, " DURATION"},            // 17
    {"GET AUDIO_IN", Field::kNone, ""},                    // 18
    {"GET AUDIO_OUT", Field::kNone, ""},                   // 19
    {"HOOK ON", Field::kNone, ""},                         // 20
    {"GET CALL ", Field::kCallId, " STATUS"},              // 21
    {"GET CALL ", Field::kCallId, " SEEN"},                // 22
    {"GET PROFILE PSTN_BALANCE", Field::kNone, ""},        // 23
    {"GET PRIVILEGE SKYPEOUT", Field::kNone, ""},          // 24
    {"SEARCH MISSEDCALLS", Field::kNone, ""},              // 25
    {nullptr, Field::kNone, ""},                           // 26
    {"SET AUDIO_IN", Field::kNone, ""},                    // 27
    {"SET AUDIO_OUT", Field::kNone, ""},                   // 28
    {"GET CURRENTUSERHANDLE", Field::kNone, ""},           // 29
    {"GET USERSTATUS", Field::kNone, ""},                  // 30
    {"SET RINGER ", Field::kDevice, " "},                  // 31
    {"SET RINGER", Field::kNone, ""},                      // 32
    {"GET CONNSTATUS", Field::kNone, ""},                  // 33
}};

std::string Decimal(int value) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%d", value);
  return digits;
}

// The line as the 255-byte command buffer holds it.
std::string CutToCommandBuffer(std::string line) {
  if (line.size() > kMaxCommandLength) line.resize(kMaxCommandLength);
  return line;
}

}  // namespace

std::string BuildCommandText(int kind, const char* user, int callId, const CommandInputs& inputs) {
  if (kind < kFirstKind || kind > kLastKind) return {};
  const CommandForm& form = kForms[static_cast<std::size_t>(kind - kFirstKind)];
  if (form.head == nullptr) return {};

  std::string field;
  switch (form.field) {
    case Field::kNone:
      break;
    case Field::kUser:
      if (user != nullptr) field = user;
      break;
    case Field::kCallId:
      field = Decimal(callId);
      break;
    case Field::kDevice:
      // Without the handset's device there is nothing to point the client at.
      if (inputs.audioDeviceName.empty()) return {};
      field = inputs.audioDeviceName;
      break;
    case Field::kAppName:
      field = inputs.appName;
      break;
  }
  return CutToCommandBuffer(std::string(form.head) + field + form.tail);
}

std::string BuildFinishCallText(int callId) {
  char line[kCommandBufferSize];
  std::snprintf(line, sizeof line, "SET CALL %5d STATUS FINISHED", callId);
  return line;
}

}  // namespace tolvane
