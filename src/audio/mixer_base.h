#pragma once
// CMixerBase: one control of the handset's mixer device. It finds the device
// (the first mixer whose name contains the handset prefix), a destination
// line on it, optionally one of that line's source lines, and the line's
// first control of a given type, and keeps the block of values that every
// get and set of that control moves. CMixerFader and CMixerNumber give the
// values their meaning.
//
// Threads: the main window, the handset's report thread and the volume
// dialog's worker all call these objects. Each object has one mutex, held for
// the whole of every operation so that the device handle, the control and the
// values always belong together; the mixer port is called under it (winmm
// posts its notifications, it does not call back), the trace port only after
// it has been released.
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "audio/mixer_api.h"
#include "audio/mixer_constants.h"
#include "audio/mixer_trace.h"
#include "common/abi.h"

namespace tolvane {

class CMixerBase {
 public:
  // `api` must outlive the object; `trace` may be null.
  CMixerBase(MixerApi& api, MixerTrace* trace, std::string devicePrefix = std::string(mixer::kHandsetMixerPrefix));
  CMixerBase(const CMixerBase&) = delete;
  CMixerBase& operator=(const CMixerBase&) = delete;
  virtual ~CMixerBase();

  // Opens the handset's mixer device in place of whatever this object had
  // open; the control must then be found again by Init. 1 found, 0 not.
  int OpenHandsetMixer(WindowHandle window);

  // Closes the device and drops the values: every later operation does
  // nothing and returns 0 until the next successful Init.
  void Close();

  // The device opened, and the last one looked at that was not the handset's,
  // copied into the caller's buffer of `size` bytes (cut and terminated).
  std::size_t GetDeviceName(char* buffer, std::size_t size) const;
  std::size_t GetOtherDeviceName(char* buffer, std::size_t size) const;

 protected:
  // Proof that the caller holds the object's mutex. Traces raised meanwhile
  // are kept and handed to the trace port once the mutex is released.
  class Locked {
   public:
    explicit Locked(const CMixerBase& owner);
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
    ~Locked();
    void Trace(std::string where, std::string text);

   private:
    std::unique_lock<std::mutex> lock_;
    MixerTrace* trace_;
    std::vector<std::pair<std::string, std::string>> pending_;
  };

  // Opens the device, finds the line and the control and sizes the values.
  // On failure the object is left closed.
  bool InitLocked(Locked& lock, std::uint32_t destinationType, std::uint32_t sourceType, std::uint32_t controlType,
                  WindowHandle window);
  void CloseLocked();
  // Moves the whole block of values from or to the device.
  bool ReadLocked();
  bool WriteLocked();

  // True once Init has found the control and sized a non-empty block.
  bool HasValues() const { return mixer_ != 0 && !values_.empty(); }
  MixerHandle Mixer() const { return mixer_; }
  const MixerControl& Control() const { return control_; }
  std::uint32_t LineChannels() const { return lineChannels_; }
  // Channels in the block: 1 for a control that treats all channels alike.
  std::uint32_t ValueChannels() const { return details_.channels; }
  std::vector<std::uint32_t>& Values() { return values_; }

 private:
  bool OpenLocked(Locked& lock, WindowHandle window);
  bool FindLineLocked(Locked& lock, std::uint32_t destinationType, std::uint32_t sourceType, MixerLine* line);
  bool InitDetailsLocked(Locked& lock);

  MixerApi& api_;
  MixerTrace* const trace_;
  const std::string devicePrefix_;
  mutable std::mutex mutex_;
  MixerHandle mixer_ = 0;
  std::uint32_t destinations_ = 0;
  MixerControl control_;
  std::uint32_t lineChannels_ = 0;
  std::string deviceName_;
  std::string otherDeviceName_;
  MixerDetails details_;
  std::vector<std::uint32_t> values_;
};

}  // namespace tolvane
