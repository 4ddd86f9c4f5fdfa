// The call keys other than the hook: hold, send (call the browsed entry,
// resume, or hold the call in progress and answer the second one), clear,
// the keypad (DTMF during a call, the client's own buttons otherwise), the
// scroll keys and the client's Skype button. The clicks on the client's
// windows bring its dial grid and its contact page forward, as a user would.
#include <cstdio>
#include <string>

#include "common/bounded_text.h"
#include "handset/handset_control.h"
#include "interfaces/client_windows.h"
#include "interfaces/handset_codes.h"
#include "interfaces/handset_mode.h"
#include "interfaces/i_contact_list.h"
#include "interfaces/i_phone_state.h"
#include "interfaces/i_skype_link.h"
#include "interfaces/status_codes.h"

namespace tolvane {
namespace {

// Keys 176-187 in code order.
constexpr char kKeypadChars[] = "0123456789*#";

}  // namespace

int HandsetControl::Hold() {
  const Calls calls = ReadCalls();
  if (calls.current == 0) return 1;
  if (calls.currentStatus == kCallStatusInProgress) return SendCallStatus(calls.current, "ONHOLD");
  if (calls.currentStatus == kCallStatusOnHold) return SendCallStatus(calls.current, "INPROGRESS");
  return 1;
}

int HandsetControl::SendKey() {
  const std::uint32_t mode = Mode();
  if ((mode & (kModeBrowseContacts | kModeBrowseHistory)) != 0) return CallBrowsedEntry(mode);
  const Calls calls = ReadCalls();
  int result = 1;
  if (calls.current != 0 && calls.currentStatus == kCallStatusOnHold) {
    result = SendCallStatus(calls.current, "INPROGRESS");
  } else if (calls.current != 0 && calls.currentStatus == kCallStatusInProgress &&
             (calls.secondStatus == kCallStatusRingingIn || calls.secondStatus == kCallStatusEarlyMedia)) {
    // The call in progress waits on hold while the second one is answered;
    // a client that did not take the hold is being found again, and the
    // second call is left to ring.
    result = Hold();
    if (result != 0) result = SendCallStatus(calls.second, "INPROGRESS");
  } else {
    result = SendClientCommand("BTN_RELEASED YES");
  }
  EndBrowsing();
  return result;
}

// Calls the browsed contact or history entry. An entry whose handle is not
// known (yet) is not called: browsing goes on.
int HandsetControl::CallBrowsedEntry(std::uint32_t mode) {
  char handle[kTextBufferSize] = {};
  if ((mode & kModeBrowseContacts) != 0) {
    if (IContactList* contacts = contactList_.load()) contacts->GetSelectedContactHandle(handle);
  } else if (IPhoneState* phone = phoneState_.load()) {
    phone->GetSelectedPartnerHandle(handle);
  }
  handle[kTextBufferSize - 1] = '\0';
  if (handle[0] == '\0') return 1;
  const int result = SendClientCommand(std::string("CALL ") + handle);
  EndBrowsing();
  return result;
}

int HandsetControl::Clear() {
  Pause(30);
  const int result = SendClientCommand("BTN_RELEASED NO");
  EndBrowsing();
  return result;
}

// During a call the key is a tone; the button press that follows goes
// through the session's queue, behind whatever it is sending.
int HandsetControl::Digit(int code) {
  const char key = kKeypadChars[code - kKeyDigitFirst];
  char button[32];
  std::snprintf(button, sizeof button, "BTN_RELEASED %c", key);
  const Calls calls = ReadCalls();
  if (calls.current != 0 &&
      (calls.currentStatus == kCallStatusInProgress || calls.currentStatus == kCallStatusEarlyMedia)) {
    char tone[64];
    std::snprintf(tone, sizeof tone, "SET CALL %d DTMF %c", calls.current, key);
    if (SendClientCommand(tone) == 0) return 0;
    if (ISkypeLink* link = link_.load()) link->QueueCommand(button);
    return 1;
  }
  return SendClientCommand(button);
}

// With the option set, the scroll keys first bring the client's contact page
// forward.
int HandsetControl::Scroll(int code) {
  ClientWindows* windows = windows_.load();
  if (windows != nullptr && settings_.SupportFocusAddressBook.load() != 0 && windows->SelectedPage() != 0) {
    windows->ClickPageControl();
  }
  return SendClientCommand(code == kKeyUp ? "BTN_RELEASED UP" : "BTN_RELEASED DOWN");
}

// The client may have made its windows anew since they were found.
int HandsetControl::SkypeButton() {
  ClientWindows* windows = windows_.load();
  if (windows != nullptr) windows->RefindWindows();
  const int result = SendClientCommand("BTN_RELEASED SKYPE");
  if (result != 0) ClickDialGridIfShown();
  return result;
}

void HandsetControl::ClickDialGridIfShown() {
  ClientWindows* windows = windows_.load();
  if (windows == nullptr) return;
  if (windows->SelectedPage() == kSkypeDialPage && windows->DialGridVisible()) windows->ClickDialGrid();
}

}  // namespace tolvane
