// Browsing the history on the handset: the cursor, the selection and the
// view's copies of the selected entry.
#include <algorithm>
#include <cstring>

#include "phone_state/phone_state.h"

namespace tolvane {
namespace {

bool IsKnownBrowseMode(int mode) {
  return mode == kBrowseReceived || mode == kBrowseDialled || mode == kBrowseMissed;
}

// The view's texts are always terminated within their arrays; the bound
// still keeps a reader inside them whatever happens.
std::size_t ViewLength(const std::array<char, kTextBufferSize>& text) {
  const void* end = std::memchr(text.data(), '\0', text.size());
  return end == nullptr ? text.size() : static_cast<std::size_t>(static_cast<const char*>(end) - text.data());
}

std::string_view ViewText(const std::array<char, kTextBufferSize>& text) {
  return std::string_view(text.data(), std::min(ViewLength(text), kMaxTextLength));
}

}  // namespace

const CallRecord* PhoneState::CursorEntry() const {
  if (cursor < 0 || static_cast<std::size_t>(cursor) >= history.size()) return nullptr;
  return history[static_cast<std::size_t>(cursor)].get();
}

bool PhoneState::MatchesBrowseMode(const CallRecord& record) const {
  switch (browseMode) {
    case kBrowseReceived:
      return IsIncomingCallType(record.GetType()) && record.GetStatus() != kCallStatusMissed;
    case kBrowseDialled:
      return IsOutgoingCallType(record.GetType());
    case kBrowseMissed:
      return IsIncomingCallType(record.GetType()) && record.GetStatus() == kCallStatusMissed;
    default:
      return false;
  }
}

void PhoneState::ClearViewTexts() {
  viewPartnerHandle.fill('\0');
  viewDisplayName.fill('\0');
}

Status PhoneState::SetBrowseMode(int mode) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  browseMode = mode;
  return kOk;
}

Status PhoneState::ResetBrowse() {
  std::lock_guard<std::recursive_mutex> hold(lock);
  selectedIndex = -1;
  cursor = 0;
  handleReadPos = 0;
  ClearViewTexts();
  viewType = -1;
  viewStatus = -1;
  viewSeen = 0;
  viewHasDetails = 0;
  viewTimestamp = 0;
  viewDuration = 0;
  return kOk;
}

Status PhoneState::BrowseStep(int backward, int advance, int* callId) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  if (history.empty()) return kFail;
  if (!IsKnownBrowseMode(browseMode)) {
    // No list of that kind exists, so nothing can be selected: say so
    // rather than let the caller take its own variable for a found call.
    handleReadPos = 0;
    return kFail;
  }

  const int count = static_cast<int>(history.size());
  int found = -1;
  if (backward != 0) {
    // A cursor left past the end by a history that was reloaded shorter
    // steps back from the last entry.
    for (int i = std::min(cursor, count) - 1; i >= 0; --i) {
      cursor = i;
      if (MatchesBrowseMode(*history[static_cast<std::size_t>(i)])) {
        found = i;
        break;
      }
    }
  } else {
    if (advance != 0 && cursor < count - 1) ++cursor;
    // The entry at the starting position is scanned too: a step without
    // advance re-selects it, and so does a step from the last entry.
    for (int i = std::max(cursor, 0); i < count; ++i) {
      cursor = i;
      if (MatchesBrowseMode(*history[static_cast<std::size_t>(i)])) {
        found = i;
        break;
      }
    }
  }

  handleReadPos = 0;
  if (found < 0) {
    // Back to the last selection, or to "no position" when there was none.
    cursor = selectedIndex;
    viewTimestamp = 0;
    viewDuration = 0;
    return kFail;
  }
  selectedIndex = found;
  cursor = found;
  selectedCallId = history[static_cast<std::size_t>(found)]->GetCallId();
  if (callId != nullptr) *callId = selectedCallId;
  return kOk;
}

Status PhoneState::HasCursor() {
  std::lock_guard<std::recursive_mutex> hold(lock);
  return cursor == -1 ? kFail : kOk;
}

// Only the entry under the cursor is looked at: a detail that arrives for a
// call the user has meanwhile stepped away from must not overwrite the view.
Status PhoneState::RefreshSelected(int callId) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  if (callId != selectedCallId) return kOk;
  const CallRecord* entry = CursorEntry();
  if (entry == nullptr || entry->GetCallId() != callId) return kOk;

  ClearViewTexts();
  entry->PartnerHandle().CopyTo(viewPartnerHandle.data());
  viewType = entry->GetType();
  viewStatus = entry->GetStatus();
  viewSeen = entry->GetSeen();
  viewHasDetails = entry->GetHasDetails();
  entry->DisplayName().CopyTo(viewDisplayName.data());
  viewTimestamp = entry->GetTimestamp();
  viewDuration = entry->GetDuration();
  return FormatSelectedTimes();
}

// Shows an empty entry of the open list's kind when there is nothing to show.
Status PhoneState::ClearSelectionForMode() {
  std::lock_guard<std::recursive_mutex> hold(lock);
  ClearViewTexts();
  viewTimestamp = 0;
  viewDuration = 0;
  timestampText.clear();
  switch (browseMode) {
    case kBrowseReceived:
      viewType = kCallTypeIncomingP2P;
      break;
    case kBrowseDialled:
      viewType = kCallTypeOutgoingP2P;
      break;
    case kBrowseMissed:
      viewStatus = kCallStatusMissed;
      viewType = kCallTypeIncomingP2P;
      break;
    default:
      break;
  }
  return kOk;
}

Status PhoneState::GetSelectedDisplayName(char* out) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  if (out == nullptr || viewDisplayName[0] == '\0') return kFail;
  CopyText(out, ViewText(viewDisplayName));
  return kOk;
}

Status PhoneState::GetSelectedPartnerHandle(char* out) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  if (out == nullptr || viewPartnerHandle[0] == '\0') return kFail;
  CopyText(out, ViewText(viewPartnerHandle));
  return kOk;
}

// Stays at the end (kFail) until a step or a reset starts the handle over.
// The position may lie beyond a handle that was replaced by a shorter one;
// that counts as the end too, so no read goes past the terminator.
Status PhoneState::ReadSelectedHandleChar(char* out) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  if (out == nullptr) return kFail;
  const int length = static_cast<int>(ViewLength(viewPartnerHandle));
  if (handleReadPos < 0 || handleReadPos >= length) return kFail;
  *out = viewPartnerHandle[static_cast<std::size_t>(handleReadPos)];
  ++handleReadPos;
  return kOk;
}

Status PhoneState::GetSelectedType(int* type) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  if (type == nullptr) return kFail;
  *type = viewType;
  return kOk;
}

Status PhoneState::GetSelectedStatus(int* status) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  if (status == nullptr) return kFail;
  *status = viewStatus;
  return kOk;
}

Status PhoneState::GetSelectedSeen(int* flag) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  if (flag == nullptr) return kFail;
  *flag = viewSeen;
  return kOk;
}

Status PhoneState::GetCursorExtraText(char* out) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  const CallRecord* entry = CursorEntry();
  if (out == nullptr || entry == nullptr) return kFail;
  entry->ExtraText().CopyTo(out);
  return kOk;
}

Status PhoneState::GetCursorAux1(int* value) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  const CallRecord* entry = CursorEntry();
  if (value == nullptr || entry == nullptr) return kFail;
  *value = entry->GetAux1();
  return kOk;
}

Status PhoneState::GetCursorAux2(int* value) {
  std::lock_guard<std::recursive_mutex> hold(lock);
  const CallRecord* entry = CursorEntry();
  if (value == nullptr || entry == nullptr) return kFail;
  *value = entry->GetAux2();
  return kOk;
}

}  // namespace tolvane
