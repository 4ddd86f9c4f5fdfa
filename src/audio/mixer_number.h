#pragma once
// CMixerNumber: one item of a switch or list control (a mute switch, one
// input of a selector), read and written as a number.
#include <cstddef>
#include <cstdint>

#include "audio/mixer_base.h"

namespace tolvane {

class CMixerNumber final : public CMixerBase {
 public:
  using CMixerBase::CMixerBase;

  // Finds the control, which must be of the switch or list class; `index`
  // picks the item of a control with several. No change notifications are
  // asked for. 1 ready, 0 not (the object is then closed).
  int Init(std::uint32_t destinationType, std::uint32_t sourceType, std::uint32_t controlType, int index);

  // Reads the control and writes it back with the item set to `value`.
  // 1 when written, 0 when it could not be read or written.
  int SetValue(std::uint32_t value);

  // The item as the device has it now; 0 when it cannot be read.
  std::uint32_t GetValue();

 private:
  std::size_t index_ = 0;
};

}  // namespace tolvane
