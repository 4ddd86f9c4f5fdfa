// The contact store's entries: adding, removing, naming, the USERS reply and
// the moves that keep the display order. Browsing and the selection view are
// in contact_list_selection.cpp.
#include "phone_state/contact_list.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "skype_link/command_kind.h"
#include "skype_link/skype_link_interface.h"

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

// The display position that an entry at position p moves to when it passes
// every entry before it for which passes() holds, stopping at the first one
// for which it does not.
template <typename Passes>
std::size_t WalkBack(const std::vector<int>& order, const std::deque<ContactEntry>& entries, std::size_t p,
                     Passes&& passes) {
  std::size_t target = p;
  while (target > 0 && passes(entries[static_cast<std::size_t>(order[target - 1])])) --target;
  return target;
}

}  // namespace

ContactList::ContactList(ISkypeLink& skypeLink, const CaseMapping& mapping)
    : link(skypeLink), caseMapping(mapping) {}

ContactList::~ContactList() = default;

bool ContactList::IsAvailable(int onlineStatus) {
  return onlineStatus == 0 || (onlineStatus >= 2 && onlineStatus <= 7);
}

ContactEntry* ContactList::FindLocked(std::string_view handle) {
  const auto it = indexByHandle.find(caseMapping.Upper(handle));
  return it != indexByHandle.end() ? &entries[static_cast<std::size_t>(it->second)] : nullptr;
}

ContactEntry& ContactList::AppendLocked(std::string_view handle, int status) {
  ContactEntry entry;
  entry.index = static_cast<int>(entries.size());
  entry.handle = std::string(handle);
  entry.handleKey = caseMapping.Upper(handle);
  entry.onlineStatus = status;
  indexByHandle.try_emplace(entry.handleKey, entry.index);
  displayOrder.push_back(entry.index);
  positionOf.push_back(displayOrder.size() - 1);
  entries.push_back(std::move(entry));
  entryCount.store(static_cast<int>(entries.size()));
  return entries.back();
}

void ContactList::RebuildIndexLocked() {
  indexByHandle.clear();
  for (const ContactEntry& entry : entries) indexByHandle.try_emplace(entry.handleKey, entry.index);
  positionOf.assign(entries.size(), 0);
  for (std::size_t p = 0; p < displayOrder.size(); ++p) {
    positionOf[static_cast<std::size_t>(displayOrder[p])] = p;
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
  const std::size_t position = positionOf[static_cast<std::size_t>(removed)];
  entries.erase(entries.begin() + removed);
  displayOrder.erase(displayOrder.begin() + static_cast<std::ptrdiff_t>(position));
  for (std::size_t i = static_cast<std::size_t>(removed); i < entries.size(); ++i) --entries[i].index;
  for (int& index : displayOrder) {
    if (index >= removed) --index;
  }
  RebuildIndexLocked();
  return kOk;
}

Status ContactList::ClearContacts() {
  std::lock_guard guard(lock);
  entries.clear();
  displayOrder.clear();
  RebuildIndexLocked();
  return kOk;
}

Status ContactList::SetContactStatus(const char* handle, int status) {
  std::lock_guard guard(lock);
  ContactEntry* entry = FindLocked(TextOf(handle));
  if (entry == nullptr) return kFail;
  if (entry->onlineStatus != status) {
    entry->onlineStatus = status;
    MoveByStatusLocked(entry->index, status);
  }
  return kOk;
}

Status ContactList::SetContactName(const char* handle, const char* bytes, int length) {
  std::lock_guard guard(lock);
  ContactEntry* entry = FindLocked(TextOf(handle));
  if (entry == nullptr) return kFail;
  entry->name = std::string(BytesOf(bytes, length));
  entry->nameKey = caseMapping.Upper(entry->name);
  return kOk;
}

Status ContactList::TakeUsersReply(const char* line) {
  std::lock_guard guard(lock);
  lastUsersReply = std::string(TextOf(line));
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

void ContactList::MoveForwardLocked(std::size_t p, std::size_t target) {
  if (target >= p) return;
  const auto begin = displayOrder.begin();
  std::rotate(begin + static_cast<std::ptrdiff_t>(target), begin + static_cast<std::ptrdiff_t>(p),
              begin + static_cast<std::ptrdiff_t>(p) + 1);
  for (std::size_t q = target; q <= p; ++q) positionOf[static_cast<std::size_t>(displayOrder[q])] = q;
}

Status ContactList::MoveByStatusLocked(int index, int status) {
  if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return kFail;
  if (!IsAvailable(status)) return kOk;
  const std::size_t p = positionOf[static_cast<std::size_t>(index)];
  const std::string& key = entries[static_cast<std::size_t>(index)].nameKey;
  // Offline contacts are passed; the walk stops at the first available
  // contact whose name sorts before this one.
  const std::size_t target = WalkBack(displayOrder, entries, p, [&](const ContactEntry& other) {
    return !IsAvailable(other.onlineStatus) || !(other.nameKey < key);
  });
  MoveForwardLocked(p, target);
  return kOk;
}

Status ContactList::MoveContactByStatus(int index, int status) {
  std::lock_guard guard(lock);
  return MoveByStatusLocked(index, status);
}

Status ContactList::MoveContactByName(int index) {
  std::lock_guard guard(lock);
  if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return kOk;
  const std::size_t p = positionOf[static_cast<std::size_t>(index)];
  const std::string& key = entries[static_cast<std::size_t>(index)].nameKey;
  MoveForwardLocked(p, WalkBack(displayOrder, entries, p, [&](const ContactEntry& other) { return key < other.nameKey; }));
  return kOk;
}

Status ContactList::MoveContactByHandle(int index) {
  std::lock_guard guard(lock);
  if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return kOk;
  const std::size_t p = positionOf[static_cast<std::size_t>(index)];
  const std::string& key = entries[static_cast<std::size_t>(index)].handleKey;
  MoveForwardLocked(p, WalkBack(displayOrder, entries, p, [&](const ContactEntry& other) { return key < other.handleKey; }));
  return kOk;
}

}  // namespace tolvane
