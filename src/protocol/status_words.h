#pragma once
// The client's status words turned into the integer codes of
// interfaces/status_codes.h, which are what the stores keep.
#include <optional>
#include <string_view>

#include "interfaces/status_codes.h"

namespace tolvane {

// The code of a CALL id STATUS word, or nothing for a word the program does
// not know (such a line changes nothing). "RINGING" means the far end rings
// when the call was ROUTING (previousStatus 0) and a call ringing here
// otherwise.
std::optional<int> CallStatusCode(std::string_view word, int previousStatus);

// CALL id TYPE word; kCallTypeNone for an unknown word.
int CallTypeCode(std::string_view word);

// USER handle ONLINESTATUS word; an unknown word counts as offline.
int OnlineStatusCode(std::string_view word);

// USERSTATUS word; an unknown word (SKYPEOUT and LOGGEDOUT among them) counts
// as offline.
int UserStatusCode(std::string_view word);

// CONNSTATUS word; an unknown word counts as offline.
int ConnStatusCode(std::string_view word);

// CALL id SEEN value: 1 for "TRUE", 0 for anything else.
int SeenFlag(std::string_view word);

// ASCII comparison ignoring case. Only the PRIVILEGE reply is matched this
// way (its name and value); every other word must match exactly.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace tolvane
