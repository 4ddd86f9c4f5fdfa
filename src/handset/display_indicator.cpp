#include "handset/display_indicator.h"

#include <cassert>
#include <optional>

#include "handset/handset_control.h"
#include "interfaces/handset_codes.h"
#include "interfaces/handset_mode.h"
#include "interfaces/i_contact_list.h"
#include "interfaces/i_phone_state.h"
#include "interfaces/display_renderer.h"
#include "protocol/command_kind.h"
#include "interfaces/i_skype_link.h"

namespace tolvane {
namespace {

constexpr int kStatusUnknown = -1;

bool Has(std::uint32_t mode, std::uint32_t bit) { return (mode & bit) != 0; }

bool Browsing(std::uint32_t mode) { return Has(mode, kModeBrowseContacts) || Has(mode, kModeBrowseHistory); }

bool IsIncoming(int callType) { return callType == 0 || callType == 2; }

bool IsOutgoing(int callType) { return callType == 1 || callType == 3; }

// ONLINE, SKYPEME, AWAY, NA, DND and INVISIBLE show as available.
bool ShownAvailable(int onlineStatus) { return onlineStatus == 0 || (onlineStatus >= 2 && onlineStatus <= 6); }

}  // namespace

DisplayIndicator::DisplayIndicator(const Parts& parts)
    : handset_(*parts.handset),
      phoneState_(parts.phoneState),
      contactList_(parts.contactList),
      renderer_(parts.renderer),
      link_(parts.link) {
  assert(parts.handset != nullptr);
}

void DisplayIndicator::Run() {
  const HandsetControl::ModeWord start = handset_.modeWord_.load();
  const std::uint32_t mode = HandsetControl::ModeOf(start);
  if (Has(mode, kModeRenderedText)) {
    RenderedScreen(mode);
  } else if (Has(mode, kModeHandleText)) {
    HandleScreen(mode);
  } else if (Has(mode, kModeDuration) && !Stopped()) {
    DurationScreen();
  }
  End(start);
}

// The renderer holds the text of these screens; the handset is told which
// mark goes with it and then the renderer sends the text (FinishDisplay).
void DisplayIndicator::RenderedScreen(std::uint32_t mode) {
  if (Has(mode, kModeCallerIdAsked) || Has(mode, kModeMissedCalls) ||
      (Has(mode, kModeBalance) && !Has(mode, kModeFocusedContact))) {
    BeginScreen();
    if (Send(kDisplayMarkAvailable, kDisplayFieldParameter) == 0 || Stopped()) return;
    handset_.Pause(3);
    Finish();
  } else if (Has(mode, kModeFocusedContact)) {
    BeginScreen();
    Mark(ContactMark(&IContactList::GetLookedUpStatus));
    if (Stopped()) return;
    handset_.Pause(3);
    Finish();
  } else if (Has(mode, kModeBrowseContacts)) {
    if (SelectedContactMark()) Finish();
  } else if (Has(mode, kModeBrowseHistory)) {
    Mark(HistoryMark(Screen::kRendered));
    handset_.Pause(1);
    if (Stopped() || !EntryTimes()) return;
    Finish();
  }
}

// The browsed contact's status mark, unless the screen was stopped while it
// was looked up. Both kinds of contact screen begin with it.
bool DisplayIndicator::SelectedContactMark() {
  const int mark = ContactMark(&IContactList::GetSelectedContactStatus);
  if (Stopped()) return false;
  Mark(mark);
  handset_.Pause(1);
  return true;
}

// The handset draws these screens itself from the characters streamed here.
void DisplayIndicator::HandleScreen(std::uint32_t mode) {
  if (Has(mode, kModeCallerIdAsked)) {
    BeginScreen();
    Send(kDisplayMarkAvailable, kDisplayFieldParameter);
    if (Stopped()) return;
    handset_.Pause(3);
    Field(kDisplayFieldName);
    Stream(contactList_, &IContactList::ReadShownHandleChar);
  } else if (Has(mode, kModeMissedCalls)) {
    handset_.Pause(15);
    Send(kDisplayBeginScreen, kDisplayBeginParameter);
    if (Stopped()) return;
    handset_.Pause(25);
    Finish();
  } else if (Has(mode, kModeBrowseContacts)) {
    if (!SelectedContactMark() || Stopped()) return;
    Field(kDisplayFieldName);
    Stream(contactList_, &IContactList::ReadSelectedContactHandleChar);
  } else if (Has(mode, kModeBrowseHistory)) {
    handset_.Pause(1);
    Mark(HistoryMark(Screen::kHandle));
    if (Stopped()) return;
    handset_.Pause(1);
    if (!EntryTimes()) return;
    Field(kDisplayFieldName);
    Stream(phoneState_, &IPhoneState::ReadSelectedHandleChar);
  }
}

// A finished call's duration.
void DisplayIndicator::DurationScreen() {
  handset_.Pause(2);
  Send(kDisplayBeginScreen, kDisplayBeginParameter);
  if (Stopped()) return;
  handset_.Pause(25);
  Send(kDisplayFieldCallDuration, kDisplayFieldParameter);
  handset_.Pause(10);
  Stream(phoneState_, &IPhoneState::ReadDurationTextChar);
}

namespace {

// The screen's bit of a mode, 0 for a screen without text.
std::uint32_t ScreenBitOf(std::uint32_t mode) {
  if (Has(mode, kModeRenderedText)) return kModeRenderedText;
  return Has(mode, kModeHandleText) ? kModeHandleText : std::uint32_t{0};
}

// While browsing, only the screen's bit goes, so that the next display
// request shows the next entry in the same browse mode.
std::uint32_t ModeAfterScreen(std::uint32_t mode) {
  const std::uint32_t screenBit = ScreenBitOf(mode);
  return screenBit != 0 && Browsing(mode) ? mode & ~screenBit : 0;
}

}  // namespace

// The mode is settled from the value it has now, unless a screen was
// prepared while this one streamed (the next entry shown while browsing):
// that screen's bits are left for the handset's next request. The missed-call
// message stood in for the user's own status on the handset: once it is
// gone, the status is asked for again so that the handset shows it.
void DisplayIndicator::End(HandsetControl::ModeWord start) {
  const std::optional<std::uint32_t> ended = handset_.SettleModeAfterRun(start, &ModeAfterScreen);
  const bool refresh = ended.has_value() && ScreenBitOf(*ended) != 0 && !Browsing(*ended) &&
                       Has(*ended, kModeMissedCalls);
  Send(kDisplayEndScreen, kDisplayFieldParameter);
  handset_.Pause(5);
  handset_.EndStoppableRun();
  if (refresh && link_ != nullptr) {
    link_->SendCommand(kCmdGetUserStatus, nullptr, 0);
    link_->SendCommand(kCmdGetConnStatus, nullptr, 0);
  }
}

bool DisplayIndicator::Stopped() const { return handset_.indicatorStop_.load() != 0; }

int DisplayIndicator::Send(int code, int parameter) { return handset_.SendDisplayChar(code, parameter); }

void DisplayIndicator::Mark(int mark) { Send(mark, kDisplayFieldParameter); }

void DisplayIndicator::Field(int code) {
  Send(code, kDisplayFieldParameter);
  handset_.Pause(1);
}

void DisplayIndicator::BeginScreen() {
  handset_.Pause(15);
  Send(kDisplayBeginScreen, kDisplayBeginParameter);
  handset_.Pause(25);
}

void DisplayIndicator::Finish() {
  if (renderer_ != nullptr) renderer_->FinishDisplay();
}

bool DisplayIndicator::EntryTimes() {
  Field(kDisplayFieldDuration);
  if (!Stream(phoneState_, &IPhoneState::ReadDurationTextChar) || Stopped()) return false;
  Field(kDisplayFieldTimestamp);
  return Stream(phoneState_, &IPhoneState::ReadTimestampTextChar) && !Stopped();
}

template <typename Store>
bool DisplayIndicator::Stream(Store* store, Status (Store::*next)(char*)) {
  if (store == nullptr) return true;
  int parameter = kDisplayFirstCharParameter;
  char character = '\0';
  while ((store->*next)(&character) == kOk) {
    // Texts are bytes of the ANSI code page: the handset takes them as 0-255.
    Send(static_cast<unsigned char>(character), parameter);
    if (handset_.indicatorStop_.exchange(0) != 0) return false;
    parameter = parameter == kDisplayFirstCharParameter ? kDisplayNextCharParameter : kDisplayFirstCharParameter;
    handset_.Pause(1);
  }
  return true;
}

int DisplayIndicator::ContactMark(Status (IContactList::*read)(int*)) const {
  int status = kStatusUnknown;
  if (contactList_ != nullptr) (contactList_->*read)(&status);
  return ShownAvailable(status) ? kDisplayMarkAvailable : kDisplayMarkUnavailable;
}

int DisplayIndicator::HistoryMark(Screen screen) const {
  int type = kStatusUnknown;
  int status = kStatusUnknown;
  if (phoneState_ != nullptr) {
    phoneState_->GetSelectedType(&type);
    phoneState_->GetSelectedStatus(&status);
  }
  if (IsIncoming(type)) return status == kCallStatusMissed ? kDisplayMarkMissed : kDisplayMarkAvailable;
  if (screen == Screen::kRendered || IsOutgoing(type)) return kDisplayMarkUnavailable;
  return kDisplayMarkNone;
}

}  // namespace tolvane
