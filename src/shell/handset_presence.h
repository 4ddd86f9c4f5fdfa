#pragma once
// Following the handset through the day: device notifications are debounced
// with one-shot timers of the main window (a burst of them arms one check),
// the arrival check opens and starts the handset and begins the session, the
// removal check closes a handset that is gone as if its hook had been put
// down, and suspend and resume let go of the handset and take it back. The
// client program is started when a handset arrives or the system resumes,
// if the options ask for it.
//
// Everything here runs on the UI thread; the main window hands over its
// WM_DEVICECHANGE, WM_TIMER and WM_POWERBROADCAST messages.
#include "common/abi.h"

namespace tolvane {

class ClientWindowProbe;
class IContactList;
class IHandsetControl;
class IPhoneState;
class ISkypeLink;
class SoundMapper;

// The main window's timers that the checks use (SetTimer / KillTimer).
class CheckTimers {
 public:
  virtual ~CheckTimers() = default;
  virtual void Arm(unsigned id, unsigned milliseconds) = 0;
  virtual void Disarm(unsigned id) = 0;
};

// The three mixer controls of the handset's sound device.
class MixerControls {
 public:
  virtual ~MixerControls() = default;
  // Opens the speaker and microphone faders and the monitor mute (which is
  // then switched on); a device without the handset's mixer opens nothing.
  virtual void Open() = 0;
  virtual void Close() = 0;
  // 0: no mixer device at all, 1: none of the handset's, 2: found.
  virtual int Present() = 0;
};

// Starts the client program.
class ClientLauncher {
 public:
  virtual ~ClientLauncher() = default;
  // From the path the client registered; false when there is none.
  virtual bool LaunchFromRegistry() = 0;
  // From the client's default install path.
  virtual void LaunchDefault() = 0;
};

class HandsetPresence {
 public:
  // What the main window answers: 1, or the default window procedure's reply.
  enum class Reply { kHandled, kDefault };

  static constexpr unsigned kArrivalTimer = 0x8001;
  static constexpr unsigned kRemovalTimer = 0x8002;
  static constexpr unsigned kArrivalDelayMs = 300;
  static constexpr unsigned kRemovalDelayMs = 300;
  static constexpr unsigned kDeviceNodesDelayMs = 600;

  // WM_DEVICECHANGE events that matter here.
  static constexpr unsigned kDeviceNodesChanged = 0x0007;
  static constexpr unsigned kDeviceArrival = 0x8000;
  static constexpr unsigned kDeviceRemoveComplete = 0x8004;

  // Every part is required and outlives the object.
  struct Parts {
    IHandsetControl* handset = nullptr;
    ISkypeLink* link = nullptr;
    IPhoneState* phoneState = nullptr;
    IContactList* contactList = nullptr;
    MixerControls* mixers = nullptr;
    CheckTimers* timers = nullptr;
    ClientLauncher* launcher = nullptr;
    ClientWindowProbe* windows = nullptr;
    SoundMapper* soundMapper = nullptr;
    WindowHandle mainWindow = nullptr;
    int windowsVersionClass = 3;
  };

  explicit HandsetPresence(const Parts& parts);

  Reply OnDeviceChange(unsigned event);
  // The two check timers; other ids are not this object's.
  bool IsCheckTimer(unsigned id) const { return id == kArrivalTimer || id == kRemovalTimer; }
  Reply OnTimer(unsigned id);
  // A timer that is not the main window's own: the pending check is given up.
  void OnOtherTimer() { checkPending_ = false; }
  // WM_POWERBROADCAST: suspend or standby (4, 5), resume (6, 7, 18), each
  // wake taken once.
  Reply OnPowerBroadcast(unsigned event);
  // The program is leaving: no check may run any more.
  void CancelChecks();

  // Starts the client program unless its main window exists or the options
  // do not ask for it.
  void StartClientIfNeeded();

 private:
  void ArmCheck(unsigned timer, unsigned milliseconds);
  Reply ArrivalCheck();
  Reply RemovalCheck();
  void OnSuspend();
  Reply OnResume();
  // The handset is gone: the session lets go of it and the tray says so.
  void LetGoOfHandset(bool waitForDisplay);
  void ResetBrowsing();

  Parts parts_;
  // A device check is armed and has not run yet: at most one at a time.
  bool checkPending_ = false;
  // The handset was taken back since the last suspend (or since start).
  bool wakeTaken_ = false;
};

}  // namespace tolvane
