// The contact store's entries: adding, removing, naming, the USERS reply and
// the moves that keep the display order. Browsing and the selection view are
// in contact_list_selection.cpp.
#include "phone_state/contact_list.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "protocol/command_kind.h"
#include "interfaces/i_skype_link.h"

namespace tolvane {
namespace {

std::string_view TextOf(const char* text) { return text != nullptr ? std::string_view(text) : std::string_view(); }

// Bytes given with a length that may count a terminator: reading stops at
// the first zero byte within the length.
std::string_view BytesOf(const char* bytes, int length) {
  if (bytes == nullptr || length <= 0) return {};
  const auto* end = static_cast<const char*>(std::memchr(bytes, '\0', static_cast<std::size_t>(length)));
  return {bytes, end != nullptr ? static_cast<std::size_t>(end - bytes) : static_cast<std::size_t>(length)};
}

// Splits at every comma and blank; empty pieces are skipped.
template <typename Fn>
void ForEachUsersToken(std::string_view line, Fn&& fn) {
  constexpr std::string_view kDelimiters = ", ";
  std::size_t at = line.find_first_not_of(kDelimiters);
  while (at != std::string_view::npos) {
    const std::size_t end = line.find_first_of(kDelimiters, at);
    fn(line.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
    if (end == std::string_view::npos) break;
    at = line.find_first_not_of(kDelimiters, end);
  }
}

// The display position that the entry at position p moves to when it
// passes every entry before it for which passes() holds, stopping at the
// first one for which it does not. Step by step: only the moves that no
// notification makes use it.
template <typename Passes>
std::size_t WalkBack(const DisplayOrder& order, std::size_t p, Passes&& passes) {
  std::size_t target = p;
  while (target > 0 && passes(order.At(target - 1))) --target;
  return target;
}

}  // namespace

ContactList::ContactList(ISkypeLink& skypeLink, const CaseMapping& mapping)
    : link(skypeLink), caseMapping(mapping) {}

ContactList::~ContactList() = default;

bool ContactList::IsAvailable(int onlineStatus) {
  return onlineStatus == 0 || (onlineStatus >= 2 && onlineStatus <= 7);
}

std::string_view ContactList::HandleKeyOf(int index) const {
  return entries[static_cast<std::size_t>(index)].handleKey;
}

ContactEntry* ContactList::FindLocked(std::string_view handle) {
  const int index =
      indexByHandle.Find(caseMapping.Upper(handle), [this](int i) { return HandleKeyOf(i); });
  return index >= 0 ? &entries[static_cast<std::size_t>(index)] : nullptr;
}

ContactEntry& ContactList::AppendLocked(std::string_view handle, int status) {
  ContactEntry entry;
  entry.index = static_cast<int>(entries.size());
  entry.handle = std::string(handle);
  entry.handleKey = caseMapping.Upper(handle);
  entry.onlineStatus = status;
  displayOrder.PushBack(IsAvailable(status), std::string());
  entries.push_back(std::move(entry));
  const ContactEntry& added = entries.back();
  indexByHandle.Insert(added.handleKey, added.index, [this](int i) { return HandleKeyOf(i); });
  entryCount.store(static_cast<int>(entries.size()));
  return entries.back();
}

void ContactList::RebuildIndexLocked() {
  indexByHandle.Clear();
  indexByHandle.Reserve(entries.size());
  for (const ContactEntry& entry : entries) {
    indexByHandle.Insert(entry.handleKey, entry.index, [this](int i) { return HandleKeyOf(i); });
  }
  entryCount.store(static_cast<int>(entries.size()));
}

Status ContactList::AppendContact(const char* handle, int status) {
  std::lock_guard guard(lock);
  AppendLocked(TextOf(handle), status);
  return kOk;
}

Status ContactList::AddContact(const char* handle, int status) {
  std::lock_guard guard(lock);
  if (FindLocked(TextOf(handle)) != nullptr) return kOk;
  AppendLocked(TextOf(handle), status);
  return kFail;
}

Status ContactList::RemoveContact(const char* handle) {
  std::lock_guard guard(lock);
  const ContactEntry* entry = FindLocked(TextOf(handle));
  if (entry == nullptr) return kOk;
  const int removed = entry->index;
  std::vector<bool> available;
  std::vector<std::string> nameKeys;
  for (const ContactEntry& other : entries) {
    if (other.index == removed) continue;
    available.push_back(IsAvailable(other.onlineStatus));
    nameKeys.push_back(displayOrder.NameKeyOf(other.index));
  }
  entries.erase(entries.begin() + removed);
  for (std::size_t i = static_cast<std::size_t>(removed); i < entries.size(); ++i) --entries[i].index;

  std::vector<int> order = displayOrder.Entries();
  order.erase(std::find(order.begin(), order.end(), removed));
  for (int& index : order) {
    if (index > removed) --index;
  }
  displayOrder.Assign(order, available, nameKeys);
  RebuildIndexLocked();
  return kOk;
}

Status ContactList::ClearContacts() {
  std::lock_guard guard(lock);
  entries.clear();
  displayOrder.Clear();
  RebuildIndexLocked();
  return kOk;
}

Status ContactList::SetContactStatus(const char* handle, int status) {
  std::lock_guard guard(lock);
  ContactEntry* entry = FindLocked(TextOf(handle));
  if (entry == nullptr) return kFail;
  if (entry->onlineStatus != status) {
    entry->onlineStatus = status;
    if (IsAvailable(status)) {
      displayOrder.BecomeAvailable(entry->index);
    } else {
      displayOrder.SetAvailable(entry->index, false);
    }
  }
  return kOk;
}

Status ContactList::SetContactName(const char* handle, const char* bytes, int length) {
  std::lock_guard guard(lock);
  ContactEntry* entry = FindLocked(TextOf(handle));
  if (entry == nullptr) return kFail;
  entry->name = std::string(BytesOf(bytes, length));
  displayOrder.Update(entry->index, IsAvailable(entry->onlineStatus), caseMapping.Upper(entry->name));
  return kOk;
}

Status ContactList::TakeUsersReply(const char* line) {
  std::lock_guard guard(lock);
  lastUsersReply = std::string(TextOf(line));
  // The index grows once for the whole reply, not step by step.
  std::size_t listed = 0;
  ForEachUsersToken(lastUsersReply, [&](std::string_view) { ++listed; });
  indexByHandle.Reserve(entries.size() + listed);
  entries.reserve(entries.size() + listed);
  displayOrder.Reserve(entries.size() + listed);
  bool first = true;
  ForEachUsersToken(lastUsersReply, [&](std::string_view token) {
    if (std::exchange(first, false)) return;  // the word USERS
    if (FindLocked(token) != nullptr) return;
    const ContactEntry& added = AppendLocked(token, 1);
    // The one place where a lock is held across a call: SendCommand only
    // queues the line for the outgoing worker.
    link.SendCommand(kCmdGetUserDisplayName, added.handle.c_str(), 0);
  });
  return kOk;
}

Status ContactList::MoveByStatusLocked(int index, int status) {
  if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return kFail;
  if (!IsAvailable(status)) return kOk;
  // Offline contacts are passed; the walk stops behind the first available
  // contact whose name sorts before this one.
  displayOrder.WalkForward(index);
  return kOk;
}

Status ContactList::MoveContactByStatus(int index, int status) {
  std::lock_guard guard(lock);
  return MoveByStatusLocked(index, status);
}

Status ContactList::MoveContactByName(int index) {
  std::lock_guard guard(lock);
  if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return kOk;
  const std::size_t p = displayOrder.PositionOf(index);
  const std::string& key = displayOrder.NameKeyOf(index);
  displayOrder.MoveForward(p, WalkBack(displayOrder, p, [&](int other) { return key < displayOrder.NameKeyOf(other); }));
  return kOk;
}

Status ContactList::MoveContactByHandle(int index) {
  std::lock_guard guard(lock);
  if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return kOk;
  const std::size_t p = displayOrder.PositionOf(index);
  const std::string_view key = HandleKeyOf(index);
  displayOrder.MoveForward(p, WalkBack(displayOrder, p, [&](int other) { return key < HandleKeyOf(other); }));
  return kOk;
}

}  // namespace tolvane
