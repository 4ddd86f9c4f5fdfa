#include "audio/mixer_number.h"

#include <string>

#include "audio/mixer_names.h"

namespace tolvane {

int CMixerNumber::Init(std::uint32_t destinationType, std::uint32_t sourceType, std::uint32_t controlType,
                       int index) {
  Locked lock(*this);
  CloseLocked();
  const std::uint32_t controlClass = controlType & mixer::kClassMask;
  if (controlClass != mixer::kClassSwitch && controlClass != mixer::kClassList) {
    lock.Trace("CMixerNumber::Init", "Wrong control type: " + std::string(mixer::ControlTypeName(controlType)));
    return 0;
  }
  if (!InitLocked(lock, destinationType, sourceType, controlType, nullptr)) return 0;
  // The item must be one the control has and one the block of values holds
  // (a single-item control has one value per channel).
  const bool multiple = (Control().flags & mixer::kControlMultiple) != 0;
  const bool inItems = !multiple || (index >= 0 && static_cast<std::uint32_t>(index) < Control().multipleItems);
  if (index < 0 || !inItems || static_cast<std::size_t>(index) >= Values().size()) {
    lock.Trace("CMixerNumber::Init", "Invalid control index passed: " + std::to_string(index));
    CloseLocked();
    return 0;
  }
  index_ = static_cast<std::size_t>(index);
  ReadLocked();
  return 1;
}

int CMixerNumber::SetValue(std::uint32_t value) {
  Locked lock(*this);
  if (!ReadLocked()) return 0;
  Values()[index_] = value;
  return WriteLocked() ? 1 : 0;
}

std::uint32_t CMixerNumber::GetValue() {
  Locked lock(*this);
  return ReadLocked() ? Values()[index_] : 0;
}

}  // namespace tolvane
