// The hook keys. Going off-hook answers the current call (or lets the client
// pick up the other one); going on-hook first closes a prompt the client
// shows, else ends the call that the two calls' states point to, and may
// hide the client's main window. Both end browsing. The main window runs
// the on-hook command too when the handset is gone.
#include <initializer_list>

#include "handset/handset_control.h"
#include "interfaces/client_windows.h"
#include "interfaces/handset_codes.h"
#include "interfaces/handset_mode.h"
#include "interfaces/i_contact_list.h"
#include "interfaces/i_phone_state.h"

namespace tolvane {
namespace {

enum class HookDownText { kFinishSecond, kFinishCurrent, kButtonNo, kHookOn };

struct HookDownChoice {
  HookDownText text;
  bool hide;  // the client's main window is closed too
};

bool In(int value, std::initializer_list<int> set) {
  for (int v : set) {
    if (v == value) return true;
  }
  return false;
}

// Which line hook-down sends for the current call (id a, status sa) and the
// second call (b, sb), and whether the client's main window goes too. Call
// status numbers: 0 routing, 1 ringing at the far end, 2 ringing here, 3 in
// progress, 15 on hold, 17-21 voicemail, 22 voicemail redirect, 23 early
// media. Where the call to end is the current one and there is none, the
// client's no button is pressed instead.
HookDownChoice ChooseHookDown(int a, int sa, int b, int sb) {
  const auto finishIfCurrent = [a](HookDownText finish) { return a != 0 ? finish : HookDownText::kButtonNo; };
  if (In(sa, {0, 1, 2, 23})) {
    if (In(sb, {0, 1, 2, 17, 18, 19, 21, 22, 23})) return {HookDownText::kFinishSecond, false};
    return {HookDownText::kButtonNo, false};
  }
  if (In(sa, {17, 18, 19, 21})) {
    if (In(sb, {1, 2, 17, 18, 19, 21, 22, 23})) return {finishIfCurrent(HookDownText::kFinishSecond), false};
    return {finishIfCurrent(HookDownText::kFinishCurrent), true};
  }
  if (sa == 22) {
    if (In(sb, {1, 2, 17, 18, 19, 21, 22})) return {finishIfCurrent(HookDownText::kFinishSecond), false};
    return {HookDownText::kHookOn, true};
  }
  if (sa == 3) {
    if (In(sb, {1, 2, 23})) return {HookDownText::kFinishCurrent, true};
    return {HookDownText::kHookOn, true};
  }
  if (sa == 15 && sb == 3) return {HookDownText::kHookOn, false};
  if (b != 0) return {HookDownText::kHookOn, false};
  return {finishIfCurrent(HookDownText::kFinishCurrent), true};
}

}  // namespace

int HandsetControl::HookUp() {
  const Calls calls = ReadCalls();
  EndBrowsing();
  if (calls.current != 0) return SendCallStatus(calls.current, "INPROGRESS");
  if (calls.second != 0) return SendClientCommand("HOOK OFF");
  return 1;
}

int HandsetControl::HookDown() {
  // A prompt of the client's (a confirmation, else an error) is answered
  // "no" and closed; nothing else happens.
  if (ClientWindows* windows = windows_.load()) {
    if (windows->ActivateAndClose(kClientConfirmationWindowClass) ||
        windows->ActivateAndClose(kClientErrorWindowClass)) {
      RunKeyCommand(kKeyClear);
      ClickDialGridIfShown();
      return 1;
    }
  }
  // A screen that came up meanwhile goes too.
  if (StopIndicatorAsync()) Pause(10);
  const Calls calls = ReadCalls();
  const HookDownChoice choice = ChooseHookDown(calls.current, calls.currentStatus, calls.second, calls.secondStatus);
  EndBrowsing();
  int result = 1;
  switch (choice.text) {
    case HookDownText::kFinishSecond:
      result = SendCallStatus(calls.second, "FINISHED");
      break;
    case HookDownText::kFinishCurrent:
      result = SendCallStatus(calls.current, "FINISHED");
      break;
    case HookDownText::kButtonNo:
      result = SendClientCommand("BTN_RELEASED NO");
      break;
    case HookDownText::kHookOn:
      result = SendClientCommand("HOOK ON");
      break;
  }
  // The main window goes only once the client has the line: a client that
  // ends when its main window closes still hangs up first.
  if (choice.hide && settings_.SupportHideWindows.load() != 0) {
    if (ClientWindows* windows = windows_.load()) windows->CloseMainWindow();
  }
  return result;
}

void HandsetControl::EndBrowsing() {
  if (IContactList* contacts = contactList_.load()) contacts->ResetContactBrowse();
  if (IPhoneState* phone = phoneState_.load()) phone->ResetBrowse();
  SetMode(0);
}

}  // namespace tolvane
