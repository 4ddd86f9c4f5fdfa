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
    : link(skypeLink), caseMapping(mapping), displayOrder([this](int index) { return NameKeyOf(index); }) {}

ContactList::~ContactList() = default;

bool ContactList::IsAvailable(int onlineStatus) {
  return onlineStatus == 0 || (onlineStatus >= 2 && onlineStatus <= 7);
}

std::string_view ContactList::HandleKeyOf(int index) const {
  return texts.View(entries[static_cast<std::size_t>(index)].handleKey);
}

std::string ContactList::NameKeyOf(int index) const {
  return caseMapping.Upper(texts.View(entries[static_cast<std::size_t>(index)].name));
}

ContactEntry* ContactList::FindLocked(std::string_view handle) {
  const int index =
      indexByHandle.Find(caseMapping.Upper(handle), [this](int i) { return HandleKeyOf(i); });
  return index >= 0 ? &entries[static_cast<std::size_t>(index)] : nullptr;
}

ContactEntry& ContactList::AppendLocked(std::string_view handle, int status) {
  ContactEntry entry;
  entry.handle = texts.Add(handle);
  entry.handleKey = texts.Add(caseMapping.Upper(handle));
  entry.onlineStatus = status;
  entries.push_back(entry);
  const int index = static_cast<int>(entries.size() - 1);
  displayOrder.PushBack(IsAvailable(status), std::string_view());
  indexByHandle.Insert(HandleKeyOf(index), index, [this](int i) { return HandleKeyOf(i); });
  entryCount.store(static_cast<int>(entries.size()));
  return entries.back();
}

void ContactList::RebuildIndexLocked() {
  indexByHandle.Clear();
  indexByHandle.Reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const int index = static_cast<int>(i);
    indexByHandle.Insert(HandleKeyOf(index), index, [this](int other) { return HandleKeyOf(other); });
  }
  entryCount.store(static_cast<int>(entries.size()));
}

void ContactList::CompactTextsLocked() {
  if (!texts.WorthCompacting()) return;
  TextStore fresh;
  fresh.Reserve(texts.Size() / 2);
  for (ContactEntry& entry : entries) {
    entry.handleKey = fresh.Add(texts.View(entry.handleKey));
    entry.handle = fresh.Add(texts.View(entry.handle));
    entry.name = fresh.Add(texts.View(entry.name));
  }
  texts = std::move(fresh);
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
  const int removed = IndexOf(*entry);
  texts.Drop(entry->handleKey);
  texts.Drop(entry->handle);
  texts.Drop(entry->name);
  // The entries are renumbered before the display order rebuilds, which may
  // ask for names by the new numbers.
  entries.erase(entries.begin() + removed);
  displayOrder.Remove(removed);
  RebuildIndexLocked();
  CompactTextsLocked();
  return kOk;
}

Status ContactList::ClearContacts() {
  std::lock_guard guard(lock);
  entries.clear();
  texts = TextStore();
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
      displayOrder.BecomeAvailable(IndexOf(*entry));
    } else {
      displayOrder.SetAvailable(IndexOf(*entry), false);
    }
  }
  return kOk;
}

Status ContactList::SetContactName(const char* handle, const char* bytes, int length) {
  std::lock_guard guard(lock);
  ContactEntry* entry = FindLocked(TextOf(handle));
  if (entry == nullptr) return kFail;
  const std::string_view name = BytesOf(bytes, length);
  if (texts.View(entry->name) == name) return kOk;
  texts.Drop(entry->name);
  entry->name = texts.Add(name);
  displayOrder.Update(IndexOf(*entry), IsAvailable(entry->onlineStatus), caseMapping.Upper(name));
  CompactTextsLocked();
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
  texts.Reserve(texts.Size() + 2 * lastUsersReply.size());
  displayOrder.Reserve(entries.size() + listed);
  bool first = true;
  ForEachUsersToken(lastUsersReply, [&](std::string_view token) {
    if (std::exchange(first, false)) return;  // the word USERS
    if (FindLocked(token) != nullptr) return;
    const ContactEntry& added = AppendLocked(token, 1);
    // The one place where a lock is held across a call: SendCommand only
    // queues the line for the outgoing worker.
    link.SendCommand(kCmdGetUserDisplayName, texts.CString(added.handle), 0);
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
  const std::string key = NameKeyOf(index);
  displayOrder.MoveForward(p, WalkBack(displayOrder, p, [&](int other) { return key < NameKeyOf(other); }));
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
