#pragma once
// The text of every command the program sends to the Skype client. Building
// is pure: the session object queues what comes back here.
#include <cstddef>
#include <string>
#include <string_view>

#include "protocol/command_kind.h"

namespace tolvane {

// A command line is built in a 255-byte buffer: at most 254 characters.
// Longer lines (an over-long handle or name) are cut at that length.
inline constexpr std::size_t kCommandBufferSize = 255;
inline constexpr std::size_t kMaxCommandLength = kCommandBufferSize - 1;

struct CommandInputs {
  std::string_view appName;          // NAME/Name from the configuration, may be empty
  std::string_view audioDeviceName;  // handset audio device name already converted with
                                     // ToSkypeText; empty = unknown
};

// The command line of `kind`, or an empty string when the kind builds nothing
// (14, 26, anything outside 1-33) or is skipped (the device kinds 3, 4 and 31
// while the handset's audio device is unknown). `user` may be null for kinds
// that do not use it and is then taken as empty.
std::string BuildCommandText(int kind, const char* user, int callId, const CommandInputs& inputs);

// "SET CALL %5d STATUS FINISHED": ends or refuses a call. The id is
// right-aligned in five characters, as the client has always been sent it.
std::string BuildFinishCallText(int callId);

}  // namespace tolvane
