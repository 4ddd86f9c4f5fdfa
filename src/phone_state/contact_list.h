#pragma once
// The contact store. One lock guards everything except the four one-word
// values that the handset threads read without it (selected status, entry
// count, SkypeOut balance). The lock is held while a USERS reply queues its
// DISPLAYNAME queries: ISkypeLink::SendCommand only queues, so it never
// calls back into the store.
//
// Scale: the client can list thousands of contacts, each followed by a name
// and a status notification. Handles are found through an index keyed by the
// upper-cased handle (handle_index.h), the entries lie in one array of a few
// words each with their texts in one block (text_store.h), and a status move
// reads a short run of the display order and a small tree over its runs
// (display_order.h), so no notification scans the list, and a list of tens
// of thousands of contacts takes a few megabytes, not tens.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "common/bounded_text.h"
#include "phone_state/case_mapping.h"
#include "phone_state/display_order.h"
#include "phone_state/handle_index.h"
#include "phone_state/text_store.h"
#include "interfaces/i_contact_list.h"

namespace tolvane {

class ISkypeLink;

// One contact, owned by the store. Its number is its place in the store's
// array, and its texts lie in the store's TextStore: a few words per contact
// are what a notification's look-up reads. The upper-cased name, the display
// order's sort key, is not kept: the display order keeps its first bytes and
// asks for the rest when those agree.
struct ContactEntry {
  TextStore::Ref handleKey;  // upper-cased handle: the identity of the contact
  TextStore::Ref handle;
  TextStore::Ref name;       // display name, empty until set
  int onlineStatus = 1;
};

class ContactList final : public IContactList {
 public:
  // link receives the DISPLAYNAME queries of new contacts; caseMapping
  // decides which handles are the same and how names sort. Both must outlive
  // the store.
  explicit ContactList(ISkypeLink& link, const CaseMapping& caseMapping = DefaultCaseMapping());
  ContactList(const ContactList&) = delete;
  ContactList& operator=(const ContactList&) = delete;

  Status AppendContact(const char* handle, int status) override;
  Status AddContact(const char* handle, int status) override;
  Status RemoveContact(const char* handle) override;
  Status ClearContacts() override;
  Status SetContactStatus(const char* handle, int status) override;
  Status GetSelectedContactStatus(int* status) override;
  Status ResetContactBrowse() override;
  Status GetContactCount(int* count) override;
  Status GetContactAt(int index, char* handleOut, int* status) override;
  Status SetShownHandle(const char* text) override;
  Status ReadShownHandleChar(char* out) override;
  Status SetShownName(const char* text) override;
  Status GetShownName(char* out) override;
  Status ReadSelectedContactHandleChar(char* out) override;
  Status SetBrowseAllContacts(int flag) override;
  Status GetSelectedContactHandle(char* out) override;
  Status StepContact(int backward, int advanceFirst) override;
  Status SetContactName(const char* handle, const char* bytes, int length) override;
  Status GetSelectedContactName(char* out) override;
  Status TakeUsersReply(const char* line) override;
  Status MoveContactByStatus(int index, int status) override;
  Status MoveContactByName(int index) override;
  Status MoveContactByHandle(int index) override;
  Status SetSkypeOutBalance(std::int32_t value) override;
  Status GetSkypeOutBalance(std::int32_t* value) override;
  Status LookupContactName(const char* handle, char* out) override;
  Status GetLookedUpStatus(int* status) override;
  ~ContactList() override;

  static bool IsAvailable(int onlineStatus);

 private:
  // Everything below runs with the lock held.
  ContactEntry* FindLocked(std::string_view handle);
  int IndexOf(const ContactEntry& entry) const { return static_cast<int>(&entry - entries.data()); }
  std::string_view HandleKeyOf(int index) const;
  std::string NameKeyOf(int index) const;
  ContactEntry& AppendLocked(std::string_view handle, int status);
  void RebuildIndexLocked();
  // Copies the live texts into a fresh store once most of it is dropped.
  void CompactTextsLocked();
  Status MoveByStatusLocked(int index, int status);
  void SelectLocked(std::size_t position);
  const ContactEntry& EntryAtLocked(std::size_t position) const;
  Status StepAllLocked(bool backward, bool advanceFirst);
  Status StepAvailableLocked(bool backward, bool advanceFirst);

  ISkypeLink& link;
  const CaseMapping& caseMapping;
  std::mutex lock;

  std::vector<ContactEntry> entries;
  TextStore texts;  // the entries' handles and names
  DisplayOrder displayOrder;
  HandleIndex indexByHandle;  // first entry of each handle key
  std::atomic<int> entryCount{0};

  // Browse state.
  std::size_t cursor = 0;
  std::size_t selectedPosition = 0;
  bool lastDirection = false;
  bool browseAll = false;

  // Selection view.
  std::string selectedHandle;
  std::size_t selectedHandleRead = 0;
  char selectedName[kTextBufferSize] = {};
  std::atomic<int> selectedStatus{-1};

  std::string shownHandle;
  std::size_t shownHandleRead = 0;
  std::string shownName;

  std::atomic<std::int32_t> skypeOutBalance{0};
  int lookedUpStatus = -1;
  std::string lastUsersReply;
};

}  // namespace tolvane
