// The contact store's handset side: stepping through the display order, the
// selected contact's view, the handle shown for a caller or focused contact,
// the name lookup and the SkypeOut balance.
#include <string>

#include "phone_state/contact_list.h"

namespace tolvane {
namespace {

// Hands out the next character of text; at the end goes back to the start
// and reports kFail, so the next stream begins afresh.
Status ReadNextChar(const std::string& text, std::size_t& position, char* out) {
  if (out == nullptr || text.empty()) return kFail;
  if (position >= text.size()) {
    position = 0;
    return kFail;
  }
  *out = text[position++];
  return kOk;
}

Status CopyUnlessEmpty(std::string_view text, char* out) {
  if (out == nullptr) return kFail;
  CopyText(out, text);
  return text.empty() ? kFail : kOk;
}

}  // namespace

Status ContactList::GetSelectedContactStatus(int* status) {
  if (status == nullptr) return kFail;
  *status = selectedStatus.load();
  return kOk;
}

Status ContactList::ResetContactBrowse() {
  std::lock_guard guard(lock);
  cursor = 0;
  selectedHandleRead = 0;
  return kOk;
}

Status ContactList::GetContactCount(int* count) {
  if (count == nullptr) return kFail;
  *count = entryCount.load();
  return kOk;
}

Status ContactList::GetContactAt(int index, char* handleOut, int* status) {
  std::lock_guard guard(lock);
  if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return kFail;
  const ContactEntry& entry = entries[static_cast<std::size_t>(index)];
  if (handleOut != nullptr) CopyText(handleOut, texts.View(entry.handle));
  if (status != nullptr) *status = entry.onlineStatus;
  return kOk;
}

Status ContactList::SetShownHandle(const char* text) {
  std::lock_guard guard(lock);
  shownHandle = text != nullptr ? text : "";
  shownHandleRead = 0;
  return kOk;
}

Status ContactList::ReadShownHandleChar(char* out) {
  std::lock_guard guard(lock);
  return ReadNextChar(shownHandle, shownHandleRead, out);
}

Status ContactList::SetShownName(const char* text) {
  std::lock_guard guard(lock);
  shownName = text != nullptr ? text : "";
  return kOk;
}

Status ContactList::GetShownName(char* out) {
  std::lock_guard guard(lock);
  return CopyUnlessEmpty(shownName, out);
}

// At the end of the handle the selected handle's own read position goes back
// to the start, as for the shown handle: the display may stream the same
// selection again without a step in between.
Status ContactList::ReadSelectedContactHandleChar(char* out) {
  std::lock_guard guard(lock);
  return ReadNextChar(selectedHandle, selectedHandleRead, out);
}

Status ContactList::SetBrowseAllContacts(int flag) {
  std::lock_guard guard(lock);
  browseAll = flag != 0;
  return kOk;
}

Status ContactList::GetSelectedContactHandle(char* out) {
  std::lock_guard guard(lock);
  if (out == nullptr) return kFail;
  CopyText(out, selectedHandle);
  return kOk;
}

Status ContactList::GetSelectedContactName(char* out) {
  std::lock_guard guard(lock);
  return CopyUnlessEmpty(selectedName, out);
}

const ContactEntry& ContactList::EntryAtLocked(std::size_t position) const {
  return entries[static_cast<std::size_t>(displayOrder.At(position))];
}

void ContactList::SelectLocked(std::size_t position) {
  cursor = position;
  selectedPosition = position;
  const ContactEntry& entry = EntryAtLocked(position);
  selectedHandle = texts.View(entry.handle);
  CopyText(selectedName, texts.View(entry.name));
  selectedStatus.store(entry.onlineStatus);
}

Status ContactList::StepContact(int backward, int advanceFirst) {
  std::lock_guard guard(lock);
  lastDirection = backward != 0;
  if (displayOrder.Size() == 0) return kFail;
  // Contacts removed since the last step can leave the browse positions past
  // the end of the list.
  const std::size_t last = displayOrder.Size() - 1;
  if (cursor > last) cursor = last;
  if (selectedPosition > last) selectedPosition = last;
  selectedHandleRead = 0;
  return browseAll ? StepAllLocked(backward != 0, advanceFirst != 0)
                   : StepAvailableLocked(backward != 0, advanceFirst != 0);
}

Status ContactList::StepAllLocked(bool backward, bool advanceFirst) {
  if (backward && cursor > 0) --cursor;
  if (!backward && advanceFirst && cursor + 1 < displayOrder.Size()) ++cursor;
  SelectLocked(cursor);
  return kOk;
}

Status ContactList::StepAvailableLocked(bool backward, bool advanceFirst) {
  if (backward) {
    for (std::size_t p = cursor; p > 0; --p) {
      if (IsAvailable(EntryAtLocked(p - 1).onlineStatus)) {
        SelectLocked(p - 1);
        return kOk;
      }
    }
  } else {
    if (advanceFirst && cursor + 1 < displayOrder.Size()) ++cursor;
    for (std::size_t p = cursor; p < displayOrder.Size(); ++p) {
      if (IsAvailable(EntryAtLocked(p).onlineStatus)) {
        SelectLocked(p);
        return kOk;
      }
    }
  }
  cursor = selectedPosition;
  return kFail;
}

Status ContactList::SetSkypeOutBalance(std::int32_t value) {
  skypeOutBalance.store(value);
  return kOk;
}

Status ContactList::GetSkypeOutBalance(std::int32_t* value) {
  if (value == nullptr) return kFail;
  *value = skypeOutBalance.load();
  return kOk;
}

Status ContactList::LookupContactName(const char* handle, char* out) {
  std::lock_guard guard(lock);
  if (out == nullptr) return kOk;
  out[0] = '\0';
  const ContactEntry* entry = FindLocked(handle != nullptr ? handle : "");
  if (entry != nullptr) {
    CopyText(out, texts.View(entry->name));
    lookedUpStatus = entry->onlineStatus;
  }
  return kOk;
}

Status ContactList::GetLookedUpStatus(int* status) {
  std::lock_guard guard(lock);
  if (status == nullptr) return kFail;
  *status = lookedUpStatus;
  return kOk;
}

}  // namespace tolvane
