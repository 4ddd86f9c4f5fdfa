#pragma once
// The contact store. One lock guards everything except the four one-word
// values that the handset threads read without it (selected status, entry
// count, SkypeOut balance). The lock is held while a USERS reply queues its
// DISPLAYNAME queries: ISkypeLink::SendCommand only queues, so it never
// calls back into the store.
//
// Scale: the client can list thousands of contacts, each followed by a name
// and a status notification. Handles are found through an index keyed by the
// upper-cased handle (handle_index.h), the entries lie in one array, and a
// status move reads a short run of the display order and a small tree over
// its runs (display_order.h), so no notification scans the list.
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
#include "interfaces/i_contact_list.h"

namespace tolvane {

class ISkypeLink;

// One contact, owned by the store.
// The upper-cased name, the display order's sort key, is kept by the display
// order alone. What a notification's look-up reads (the handle key and the
// status) comes first, so that it mostly lies in one cache line.
struct ContactEntry {
  int index = 0;             // position in the entry sequence
  int onlineStatus = 1;
  std::string handleKey;     // upper-cased handle: the identity of the contact
  std::string handle;
  std::string name;          // display name, empty until set
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
  std::string_view HandleKeyOf(int index) const;
  ContactEntry& AppendLocked(std::string_view handle, int status);
  void RebuildIndexLocked();
  Status MoveByStatusLocked(int index, int status);
  void SelectLocked(std::size_t position);
  const ContactEntry& EntryAtLocked(std::size_t position) const;
  Status StepAllLocked(bool backward, bool advanceFirst);
  Status StepAvailableLocked(bool backward, bool advanceFirst);

  ISkypeLink& link;
  const CaseMapping& caseMapping;
  std::mutex lock;

  std::vector<ContactEntry> entries;
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
