#pragma once
// An IContactList that records every operation into an EventLog as
// "contacts <Operation>" followed by its integer and text arguments, and holds
// nothing: the selected and looked-up statuses, the two handle texts, the
// selected contact's handle and name, the count and the balance answer what
// the test set (0 and empty texts unless set); every other getter answers 0
// or an empty text.
#include <atomic>
#include <cstdint>
#include <string>

#include "core/fakes/event_log.h"
#include "core/fakes/scripted_text.h"
#include "interfaces/i_contact_list.h"

namespace tolvane::testing {

class RecordingContactList final : public IContactList {
 public:
  explicit RecordingContactList(EventLog& log) : log_(log) {}

  std::atomic<int> selectedContactStatus{0};
  std::atomic<int> lookedUpStatus{0};
  ScriptedText shownHandleText;
  ScriptedText selectedContactHandleText;
  std::atomic<int> contactCount{0};
  std::atomic<std::int32_t> balance{0};
  std::string selectedHandle;  // set before the handset runs
  std::string selectedName;

  Status AppendContact(const char* handle, int status) override {
    log_.Add(std::string("contacts AppendContact ") + Text(handle) + " " + std::to_string(status));
    return kOk;
  }
  Status AddContact(const char* handle, int status) override {
    log_.Add(std::string("contacts AddContact ") + Text(handle) + " " + std::to_string(status));
    return kOk;
  }
  Status RemoveContact(const char* handle) override {
    log_.Add(std::string("contacts RemoveContact ") + Text(handle));
    return kOk;
  }
  Status ClearContacts() override {
    log_.Add("contacts ClearContacts");
    return kOk;
  }
  Status SetContactStatus(const char* handle, int status) override {
    log_.Add(std::string("contacts SetContactStatus ") + Text(handle) + " " + std::to_string(status));
    return kOk;
  }
  Status GetSelectedContactStatus(int* status) override {
    log_.Add("contacts GetSelectedContactStatus");
    *status = selectedContactStatus.load();
    return kOk;
  }
  Status ResetContactBrowse() override {
    log_.Add("contacts ResetContactBrowse");
    return kOk;
  }
  Status GetContactCount(int* count) override {
    log_.Add("contacts GetContactCount");
    *count = contactCount.load();
    return kOk;
  }
  Status GetContactAt(int index, char* handleOut, int* status) override {
    log_.Add(std::string("contacts GetContactAt ") + std::to_string(index));
    handleOut[0] = '\0';
    *status = 0;
    return kOk;
  }
  Status SetShownHandle(const char* text) override {
    log_.Add(std::string("contacts SetShownHandle ") + Text(text));
    return kOk;
  }
  Status ReadShownHandleChar(char* out) override {
    log_.Add("contacts ReadShownHandleChar");
    return shownHandleText.ReadChar(out);
  }
  Status SetShownName(const char* text) override {
    log_.Add(std::string("contacts SetShownName ") + Text(text));
    return kOk;
  }
  Status GetShownName(char* out) override {
    log_.Add("contacts GetShownName");
    out[0] = '\0';
    return kOk;
  }
  Status ReadSelectedContactHandleChar(char* out) override {
    log_.Add("contacts ReadSelectedContactHandleChar");
    return selectedContactHandleText.ReadChar(out);
  }
  Status SetBrowseAllContacts(int flag) override {
    log_.Add(std::string("contacts SetBrowseAllContacts ") + std::to_string(flag));
    return kOk;
  }
  Status GetSelectedContactHandle(char* out) override {
    log_.Add("contacts GetSelectedContactHandle");
    Copy(selectedHandle, out);
    return kOk;
  }
  Status StepContact(int backward, int advanceFirst) override {
    log_.Add(std::string("contacts StepContact ") + std::to_string(backward) + " " + std::to_string(advanceFirst));
    return kOk;
  }
  Status SetContactName(const char* handle, const char* bytes, int length) override {
    log_.Add(std::string("contacts SetContactName ") + Text(handle) + " " + Text(bytes) + " " + std::to_string(length));
    return kOk;
  }
  Status GetSelectedContactName(char* out) override {
    log_.Add("contacts GetSelectedContactName");
    Copy(selectedName, out);
    return selectedName.empty() ? kFail : kOk;
  }
  Status TakeUsersReply(const char* line) override {
    log_.Add(std::string("contacts TakeUsersReply ") + Text(line));
    return kOk;
  }
  Status MoveContactByStatus(int index, int status) override {
    log_.Add(std::string("contacts MoveContactByStatus ") + std::to_string(index) + " " + std::to_string(status));
    return kOk;
  }
  Status MoveContactByName(int index) override {
    log_.Add(std::string("contacts MoveContactByName ") + std::to_string(index));
    return kOk;
  }
  Status MoveContactByHandle(int index) override {
    log_.Add(std::string("contacts MoveContactByHandle ") + std::to_string(index));
    return kOk;
  }
  Status SetSkypeOutBalance(std::int32_t value) override {
    log_.Add(std::string("contacts SetSkypeOutBalance ") + std::to_string(value));
    return kOk;
  }
  Status GetSkypeOutBalance(std::int32_t* value) override {
    log_.Add("contacts GetSkypeOutBalance");
    *value = balance.load();
    return kOk;
  }
  Status LookupContactName(const char* handle, char* out) override {
    log_.Add(std::string("contacts LookupContactName ") + Text(handle));
    out[0] = '\0';
    return kOk;
  }
  Status GetLookedUpStatus(int* status) override {
    log_.Add("contacts GetLookedUpStatus");
    *status = lookedUpStatus.load();
    return kOk;
  }

 private:
  static void Copy(const std::string& text, char* out) {
    const std::size_t n = text.copy(out, 254);
    out[n] = '\0';
  }
  static std::string Text(const char* text) { return text == nullptr ? std::string("(null)") : std::string(text); }

  EventLog& log_;
};

}  // namespace tolvane::testing
