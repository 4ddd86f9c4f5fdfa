#pragma once
// CMixerFader: a volume control seen as a slider. The control's range is cut
// into `steps` steps of `step` control units; the slider position counts
// whole steps. Other objects exchange levels on a 0-32 scale: level L is the
// control value steps x step x L / 32.
//
// It is the handset's level port: the volume keys move it 25 steps up or
// down, the handset's identification and the volume dialog set a level.
#include <cstdint>

#include "audio/mixer_base.h"
#include "interfaces/level_control.h"

namespace tolvane {

class CMixerFader final : public CMixerBase, public LevelControl {
 public:
  // Subtype of a plain volume fader, the only one the program uses.
  static constexpr int kVolumeSubtype = 2;
  static constexpr int kMaxLevel = 32;

  using CMixerBase::CMixerBase;

  // Finds the control (CMixerBase) and reads its current position. A non-null
  // window receives the device's MM_MIXM_CONTROL_CHANGE notifications.
  // 1 ready, 0 not (the object is then closed).
  int Init(std::uint32_t destinationType, std::uint32_t sourceType, std::uint32_t controlType, int subtype,
           WindowHandle window);

  // Position and balance from the values last read.
  void SetHVSliderPos();

  // Writes a new value by `kind` (a FaderKind; `level` is used by the two
  // set kinds and is held to 0-32); the two steps start from the value the
  // device has now. Returns the new position, 0 when nothing was written (an
  // unknown kind writes nothing).
  int SetFaderValue(int kind, int level) override;

  // Level 0-32 of the louder channel as the device has it now; 0 when it
  // cannot be read.
  int GetFaderLevel();

  // A change notification (wParam, lParam of MM_MIXM_CONTROL_CHANGE). For
  // this fader's own device and control, every channel below 10000 (or the
  // control's top, if lower) is raised to it; the position and balance follow
  // the device. Returns 0.
  int OnControlChange(MixerHandle mixer, std::intptr_t controlId);

 private:
  void SetHVSliderPosLocked(Locked& lock);
  std::uint32_t LevelValue(int level) const;

  int subtype_ = 0;
  std::uint32_t range_ = 0;
  std::uint32_t step_ = 1;
  std::uint32_t steps_ = 1;
  std::uint32_t position_ = 0;  // 0..steps_
  float balance_ = 0.0f;        // (right - left) / the louder side, -1..1
};

}  // namespace tolvane
