// Browsing the contacts and the call history on a handset with a display,
// and the SkypeOut balance. The keys enter, filter and leave a browse mode
// (HandsetMode 0x100 contacts, 0x200 history); the browse reports step
// through the entries (97, 98) and ask for the selected one to be shown
// (108). A history entry whose details are not known yet is asked about,
// and the dispatcher fills the selection in as the answers arrive.
#include <cstdint>
#include <mutex>
#include <string>

#include "common/bounded_text.h"
#include "handset/handset_control.h"
#include "interfaces/display_renderer.h"
#include "interfaces/handset_codes.h"
#include "interfaces/handset_mode.h"
#include "interfaces/i_contact_list.h"
#include "interfaces/i_phone_state.h"
#include "interfaces/i_skype_link.h"
#include "protocol/command_kind.h"

namespace tolvane {
namespace {

// Browse modes of the history.
constexpr int kBrowseReceived = 0;
constexpr int kBrowseDialled = 1;
constexpr int kBrowseMissed = 2;

// The display name of an entry may still be on its way from the client:
// it is asked for this many times, this far apart.
constexpr int kNameTries = 15;
constexpr int kNameTryPauseMs = 6;

constexpr const char kUnknownUser[] = "Unknown User";
constexpr const char kNoCallingData[] = "No calling data.";

}  // namespace

void HandsetControl::BrowseKey(int code) {
  IContactList* contacts = contactList_.load();
  IPhoneState* phone = phoneState_.load();
  const std::uint32_t mode = Mode();
  switch (code) {
    case kKeyBrowseContacts:
      if (contacts != nullptr) contacts->ResetContactBrowse();
      AddModeBits(kModeBrowseContacts);
      SendDisplayChar(kDisplayBeginScreen, kDisplayBeginParameter);
      return;
    case kKeyBrowseOnline:
    case kKeyBrowseAll:
      if ((mode & kModeBrowseContacts) != 0) {
        if (contacts == nullptr) return;
        contacts->SetBrowseAllContacts(code == kKeyBrowseAll ? 1 : 0);
        contacts->StepContact(0, 0);
        ShowSelectedContactName();
      } else if ((mode & kModeBrowseHistory) != 0 && phone != nullptr) {
        phone->SetBrowseMode(code == kKeyBrowseAll ? kBrowseDialled : kBrowseReceived);
        SelectHistoryEntry();
      }
      return;
    case kKeyBrowseMissed:
      if (phone == nullptr) return;
      phone->SetBrowseMode(kBrowseMissed);
      SelectHistoryEntry();
      return;
    case kKeyBrowseHistory:
      if (phone != nullptr) phone->ResetBrowse();
      SetMode(kModeBrowseHistory);
      SendDisplayChar(kDisplayBeginScreen, kDisplayBeginParameter);
      return;
    case kKeyBrowseLeave:
      SetMode(0);
      if (contacts != nullptr) contacts->ResetContactBrowse();
      if (phone != nullptr) phone->ResetBrowse();
      return;
    default:
      return;
  }
}

// The first entry of the open list at or after the cursor.
void HandsetControl::SelectHistoryEntry() {
  IPhoneState* phone = phoneState_.load();
  int callId = 0;
  if (phone != nullptr && phone->BrowseStep(0, 0, &callId) == kOk) TakeHistoryEntry(callId);
}

void HandsetControl::TakeHistoryEntry(int callId) {
  IPhoneState* phone = phoneState_.load();
  int hasDetails = 0;
  phone->GetHistoryHasDetails(callId, &hasDetails);
  if (hasDetails != 0) {
    phone->RefreshSelected(callId);
    return;
  }
  // Shown empty, as an entry of the open list, until the answers fill it in.
  phone->ClearSelectionForMode();
  ISkypeLink* link = link_.load();
  if (link == nullptr) return;
  link->SendCommand(kCmdGetCallDuration, nullptr, callId);
  if (settings_.NotSupportedFont.load() != 0) link->SendCommand(kCmdGetCallPartnerDispName, nullptr, callId);
  link->SendCommand(kCmdGetCallPartnerHandle, nullptr, callId);
  link->SendCommand(kCmdGetCallTimestamp, nullptr, callId);
}

void HandsetControl::HandleBrowseReport(const KeyRecord& key) {
  if (key.key == kKeyBrowseShowEntry) {
    Acknowledge(key);
    std::lock_guard<std::mutex> hold(keyLock_);
    ShowBrowseEntry();
    return;
  }
  {
    std::lock_guard<std::mutex> hold(keyLock_);
    StepBrowse(key.key);
  }
  Acknowledge(key);
}

void HandsetControl::StepBrowse(int code) {
  const int backward = code == kKeyBrowsePrevious ? 1 : 0;
  const std::uint32_t mode = Mode();
  if ((mode & kModeBrowseContacts) != 0) {
    if (IContactList* contacts = contactList_.load()) {
      contacts->StepContact(backward, 1);
      ShowSelectedContactName();
    }
  } else if ((mode & kModeBrowseHistory) != 0) {
    IPhoneState* phone = phoneState_.load();
    int callId = 0;
    if (phone != nullptr && phone->BrowseStep(backward, 1, &callId) == kOk) TakeHistoryEntry(callId);
  }
}

void HandsetControl::ShowBrowseEntry() {
  const std::uint32_t mode = Mode();
  if ((mode & kModeBrowseContacts) != 0) {
    IContactList* contacts = contactList_.load();
    int count = 0;
    if (contacts != nullptr) contacts->GetContactCount(&count);
    if (count > 0) AnnounceScreen();
  } else if ((mode & kModeBrowseHistory) != 0) {
    ShowPreparedText(BrowsedHistoryName().c_str());
    AnnounceScreen();
  } else {
    SendCode(kCodeShowBrowseEntry);
  }
}

std::string HandsetControl::BrowsedHistoryName() {
  IPhoneState* phone = phoneState_.load();
  if (phone == nullptr) return kNoCallingData;
  int count = 0;
  phone->GetHistoryCount(&count);
  if (count > 0 && phone->HasCursor() == kOk) {
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
      Pause(kNameTryPauseMs);
      char name[kTextBufferSize] = {};
      if (phone->GetSelectedDisplayName(name) == kOk && name[0] != '\0') {
        name[kTextBufferSize - 1] = '\0';
        return name;
      }
    }
    return kUnknownUser;
  }
  phone->ClearSelectionForMode();
  return kNoCallingData;
}

void HandsetControl::ShowSelectedContactName() {
  char name[kTextBufferSize] = {};
  if (IContactList* contacts = contactList_.load()) contacts->GetSelectedContactName(name);
  name[kTextBufferSize - 1] = '\0';
  ShowPreparedText(name);
}

void HandsetControl::ShowPreparedText(const char* text) {
  if (DisplayRenderer* renderer = renderer_.load()) renderer->ShowText(text);
}

// Tells the handset that its next screen is ready. The screen's bit is set
// before the code goes, so that the handset's request for it, which may
// follow at once, finds the screen prepared.
void HandsetControl::AnnounceScreen() {
  if (settings_.NotSupportedFont.load() != 0) {
    AddModeBits(kModeRenderedText);
    SendCode(kCodeRenderedReady);
  } else {
    AddModeBits(kModeHandleText);
    SendCode(kCodeHandleReady);
  }
}

int HandsetControl::ShowBalance() {
  std::int32_t balance = 0;
  if (IContactList* contacts = contactList_.load()) contacts->GetSkypeOutBalance(&balance);
  if (hasDisplay_.load() == 0) return 1;
  AddModeBits(kModeRenderedText | kModeBalance);
  if (DisplayRenderer* renderer = renderer_.load()) renderer->ShowBalance(balance);
  Pause(20);
  SendCode(kCodeRenderedReady);
  // The handset asks for the screen instead of taking an acknowledgement.
  return 5;
}

}  // namespace tolvane
