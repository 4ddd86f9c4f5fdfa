#include "shell/handset_presence.h"

#include <cassert>

#include "common/log.h"
#include "interfaces/client_windows.h"
#include "interfaces/handset_codes.h"
#include "interfaces/i_contact_list.h"
#include "interfaces/i_handset_control.h"
#include "interfaces/i_phone_state.h"
#include "interfaces/i_skype_link.h"
#include "interfaces/sound_mapper.h"
#include "shell/skype_windows.h"

namespace tolvane {
namespace {

// Windows version class whose arrival check waits for the handset's sound
// device (see common/windows_version.h).
constexpr int kClassWithLateSoundDevice = 3;
constexpr int kMixerFound = 2;

constexpr unsigned kPowerSuspend = 4;
constexpr unsigned kPowerStandby = 5;
constexpr unsigned kPowerResumeCritical = 6;
constexpr unsigned kPowerResume = 7;
constexpr unsigned kPowerResumeAutomatic = 18;

}  // namespace

HandsetPresence::HandsetPresence(const Parts& parts) : parts_(parts) {
  assert(parts.handset && parts.link && parts.phoneState && parts.contactList && parts.mixers && parts.timers &&
         parts.launcher && parts.windows && parts.soundMapper);
}

void HandsetPresence::ArmCheck(unsigned timer, unsigned milliseconds) {
  checkPending_ = true;
  parts_.timers->Arm(timer, milliseconds);
}

HandsetPresence::Reply HandsetPresence::OnDeviceChange(unsigned event) {
  switch (event) {
    case kDeviceNodesChanged:
      // Device nodes change for many reasons; only a connected handset may
      // have gone with them.
      if (!parts_.handset->IsConnected()) return Reply::kDefault;
      if (!checkPending_) ArmCheck(kRemovalTimer, kDeviceNodesDelayMs);
      return Reply::kHandled;
    case kDeviceArrival:
      if (parts_.windowsVersionClass == kClassWithLateSoundDevice) {
        if (parts_.handset->IsConnected()) return Reply::kHandled;
        // A new device outranks a pending removal check.
        parts_.timers->Disarm(kRemovalTimer);
        ArmCheck(kArrivalTimer, kArrivalDelayMs);
        return Reply::kHandled;
      }
      if (!checkPending_) ArmCheck(kArrivalTimer, kArrivalDelayMs);
      return Reply::kHandled;
    case kDeviceRemoveComplete:
      if (!checkPending_) ArmCheck(kRemovalTimer, kRemovalDelayMs);
      return Reply::kHandled;
    default:
      return Reply::kDefault;
  }
}

HandsetPresence::Reply HandsetPresence::OnTimer(unsigned id) {
  return id == kArrivalTimer ? ArrivalCheck() : RemovalCheck();
}

HandsetPresence::Reply HandsetPresence::ArrivalCheck() {
  parts_.timers->Disarm(kArrivalTimer);
  parts_.timers->Disarm(kRemovalTimer);
  checkPending_ = false;
  IHandsetControl& handset = *parts_.handset;
  if (handset.IsConnected()) return Reply::kHandled;
  if (handset.OpenDevice() == 0) return Reply::kDefault;

  if (parts_.windowsVersionClass == kClassWithLateSoundDevice && parts_.mixers->Present() != kMixerFound) {
    // The handset's sound device has not appeared yet: give the handset up
    // until the next device event, and keep Windows' own sounds off it.
    LogEvent("handset plugged in without its sound device: given up until the next device event");
    handset.CloseDevice();
    parts_.mixers->Close();
    handset.WaitDisplayIdle();
    handset.SetConnected(false);
    parts_.link->UpdateStatusTip();
    handset.SetMode(0);
    parts_.soundMapper->MoveDefaultDevicesOffHandset();
    return Reply::kHandled;
  }
  if (handset.StartDevice(parts_.mainWindow) == 0) return Reply::kDefault;

  LogEvent("handset plugged in");
  parts_.mixers->Open();
  ResetBrowsing();
  StartClientIfNeeded();
  parts_.link->RunSessionAction(kActionDiscover);
  handset.SetMode(0);
  handset.SetConnected(true);
  parts_.link->UpdateStatusTip();
  return Reply::kHandled;
}

HandsetPresence::Reply HandsetPresence::RemovalCheck() {
  parts_.timers->Disarm(kRemovalTimer);
  checkPending_ = false;
  IHandsetControl& handset = *parts_.handset;
  if (!handset.IsConnected()) return Reply::kHandled;
  if (handset.OpenDevice() != 0) {
    // Still there: whatever changed was not the handset.
    if (handset.StartDevice(parts_.mainWindow) != 0) {
      handset.SetConnected(true);
      return Reply::kHandled;
    }
    handset.CloseDevice();
    return Reply::kDefault;
  }
  LogEvent("handset pulled out");
  handset.CloseDevice();
  // A call in progress ends, or the client's prompt closes, exactly as if
  // the hook had been put down.
  handset.ExecuteKeyCommand(kKeyHookDown);
  parts_.mixers->Close();
  parts_.link->ClearQueues();
  parts_.link->RunSessionAction(kActionDetach);
  LetGoOfHandset(true);
  handset.SetMode(0);
  parts_.soundMapper->MoveDefaultDevicesOffHandset();
  return Reply::kDefault;
}

HandsetPresence::Reply HandsetPresence::OnPowerBroadcast(unsigned event) {
  if (event == kPowerSuspend || event == kPowerStandby) {
    wakeTaken_ = false;
    OnSuspend();
    return Reply::kDefault;
  }
  if (event != kPowerResumeCritical && event != kPowerResume && event != kPowerResumeAutomatic) {
    return Reply::kDefault;
  }
  // Every wake is announced with 18, followed by 7 only when a person woke
  // the machine (older systems send 7 or 6 alone): the first of them takes
  // the handset back, the rest of the same wake have nothing left to do.
  if (wakeTaken_) return Reply::kDefault;
  wakeTaken_ = true;
  return OnResume();
}

void HandsetPresence::OnSuspend() {
  LogEvent("suspend");
  parts_.handset->SetConnected(false);
  parts_.mixers->Close();
  CancelChecks();
  parts_.handset->ClearReports();
}

HandsetPresence::Reply HandsetPresence::OnResume() {
  LogEvent("resume");
  checkPending_ = false;
  IHandsetControl& handset = *parts_.handset;
  if (handset.OpenDevice() != 0) {
    parts_.mixers->Open();
    parts_.phoneState->ResetCurrentCall();
    parts_.phoneState->ResetSecondCall();
    ResetBrowsing();
    StartClientIfNeeded();
    parts_.link->RunSessionAction(kActionDiscover);
    handset.SetConnected(true);
    handset.SetMode(0);
    return Reply::kHandled;
  }
  handset.CloseDevice();
  parts_.mixers->Close();
  parts_.link->ClearQueues();
  parts_.link->RunSessionAction(kActionDetach);
  LetGoOfHandset(handset.IsConnected());
  return Reply::kDefault;
}

void HandsetPresence::CancelChecks() {
  parts_.timers->Disarm(kArrivalTimer);
  parts_.timers->Disarm(kRemovalTimer);
  checkPending_ = false;
}

void HandsetPresence::LetGoOfHandset(bool waitForDisplay) {
  if (waitForDisplay) parts_.handset->WaitDisplayIdle();
  parts_.handset->SetConnected(false);
  parts_.link->UpdateStatusTip();
}

void HandsetPresence::ResetBrowsing() {
  parts_.contactList->ResetContactBrowse();
  parts_.phoneState->ResetBrowse();
}

void HandsetPresence::StartClientIfNeeded() {
  if (parts_.windows->WindowExists(kSkypeMainWindowClass)) return;
  if (parts_.handset->Settings().SupportAutoRunSkype.load() == 0) return;
  if (!parts_.launcher->LaunchFromRegistry()) parts_.launcher->LaunchDefault();
}

}  // namespace tolvane
