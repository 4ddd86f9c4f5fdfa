#pragma once
// The handset as the rest of the program reaches it: the one-byte codes, the
// display-mode word, the options it holds, the state flags that the session
// and the main window change, the key commands that others run as if a key
// had been pressed, and the hand-over with the handset's screen streaming.
// HandsetControl (handset/handset_control.h) is the one implementation; the
// shell owns it.
//
// Every operation may be called from any thread.
#include <cstdint>

#include "common/abi.h"
#include "interfaces/handset_settings.h"

namespace tolvane {

class IHandsetControl {
 public:
  // The device through the handset library: 1 for success, 0 for failure.
  // StartDevice names the window the library posts the handset's reports to.
  virtual int OpenDevice() = 0;
  virtual int StartDevice(WindowHandle notifyWindow) = 0;
  virtual int CloseDevice() = 0;
  virtual int AbortStart() = 0;
  // Discards the reports not yet handled (the system is going to sleep).
  virtual int ClearReports() = 0;

  // Always 1: the handset acts on codes at once, and nobody can do anything
  // about a lost one.
  virtual int SendCode(std::uint8_t code) = 0;

  // The display-mode word (bits in interfaces/handset_mode.h).
  virtual std::uint32_t Mode() const = 0;
  virtual void SetMode(std::uint32_t mode) = 0;
  virtual void AddModeBits(std::uint32_t bits) = 0;

  // The options read from the configuration file (written by the
  // configuration and the settings dialog, read everywhere).
  virtual HandsetSettings& Settings() = 0;

  // Whether a handset is opened and started.
  virtual bool IsConnected() const = 0;
  virtual void SetConnected(bool connected) = 0;
  // Ordinary key reports are acted on only while keys are enabled.
  virtual void EnableKeys(bool enabled) = 0;
  // The next report is taken whatever its sequence number (the handset
  // renumbers after the program tells it that it is ready).
  virtual void AcceptAnySequence() = 0;

  // The client command of one key code, as if the key had been pressed: 0
  // when a command was due but the client did not take it, 1 otherwise.
  virtual int ExecuteKeyCommand(int code) = 0;

  // Stops the screen being streamed to the handset, if any, and returns once
  // it has run its end sequence: false when it had not ended within the
  // handset's bound (a handset that stopped taking characters).
  virtual bool WaitDisplayIdle() = 0;

 protected:
  // Not deleted through the interface: the shell owns the HandsetControl.
  ~IHandsetControl() = default;
};

}  // namespace tolvane
