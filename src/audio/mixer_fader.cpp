#include "audio/mixer_fader.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace tolvane {
namespace {

constexpr std::uint32_t kKeySteps = 25;

// A microphone turned (almost) off in the middle of a call leaves the far end
// hearing nothing: a change to below this value is undone.
constexpr std::uint32_t kLowestCallLevel = 10000;

std::uint32_t Scaled(double factor, std::uint32_t value) {
  const double scaled = std::round(std::clamp(factor, 0.0, 1.0) * static_cast<double>(value));
  return static_cast<std::uint32_t>(scaled);
}

int AsResult(std::uint32_t position) {
  return static_cast<int>(std::min<std::uint32_t>(position, INT_MAX));
}

}  // namespace

int CMixerFader::Init(std::uint32_t destinationType, std::uint32_t sourceType, std::uint32_t controlType,
                      int subtype, WindowHandle window) {
  Locked lock(*this);
  subtype_ = subtype;
  if (!InitLocked(lock, destinationType, sourceType, controlType, window)) return 0;
  const MixerControl& control = Control();
  if (control.maximum <= control.minimum) {
    lock.Trace("CMixerFader::Init", "Control has no range.");
    CloseLocked();
    return 0;
  }
  range_ = control.maximum - control.minimum;
  // A driver that gives no step count, or more steps than the range has
  // units, gets one step per control unit: the step is never zero.
  steps_ = control.steps == 0 || control.steps > range_ ? range_ : control.steps;
  step_ = range_ / steps_;
  if (LineChannels() < 2 && (subtype == 0 || subtype == 1 || subtype == 3)) {
    CloseLocked();
    return 0;
  }
  if (Values().empty()) {
    lock.Trace("CMixerFader::Init", "m_Value NULL.");
    CloseLocked();
    return 0;
  }
  if (ReadLocked()) SetHVSliderPosLocked(lock);
  return 1;
}

void CMixerFader::SetHVSliderPos() {
  Locked lock(*this);
  if (HasValues()) SetHVSliderPosLocked(lock);
}

void CMixerFader::SetHVSliderPosLocked(Locked& lock) {
  const std::vector<std::uint32_t>& values = Values();
  std::uint32_t louder = values[0];
  if (ValueChannels() >= 2) {
    const std::uint32_t left = values[0];
    const std::uint32_t right = values[1];
    louder = std::max(left, right);
    if (louder > 0) {
      balance_ = static_cast<float>((static_cast<double>(right) - static_cast<double>(left)) / louder);
    }
  }
  if (subtype_ == kVolumeSubtype) {
    position_ = std::min(louder / step_, steps_);
  } else if (subtype_ != 3) {
    lock.Trace("CMixerFader::SetHVSliderPos", "Wrong sub-type for a fader control.");
  }
}

std::uint32_t CMixerFader::LevelValue(int level) const {
  const std::uint64_t scale = static_cast<std::uint64_t>(std::clamp(level, 0, kMaxLevel));
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(steps_) * step_ * scale) >> 5);
}

int CMixerFader::SetFaderValue(int kind, int level) {
  Locked lock(*this);
  if (!HasValues()) return 0;
  std::uint32_t value = 0;
  // A step starts from the level the device has now: it may have been moved
  // elsewhere (Windows' own volume control) since this fader last looked.
  if ((kind == kFaderStepUp || kind == kFaderStepDown) && ReadLocked()) SetHVSliderPosLocked(lock);
  switch (kind) {
    case kFaderStepUp:
      value = static_cast<std::uint32_t>(std::min<std::uint64_t>(std::uint64_t{position_} + kKeySteps, steps_) * step_);
      break;
    case kFaderStepDown:
      value = position_ > kKeySteps ? (position_ - kKeySteps) * step_ : 0;
      break;
    case kFaderSetLevel:
    case kFaderSetDialog:
      value = LevelValue(level);
      break;
    default:
      return 0;
  }
  if (subtype_ != kVolumeSubtype) {
    lock.Trace("CMixerFader::SetFaderValue", "Wrong sub-type for a fader control.");
    return 0;
  }
  std::vector<std::uint32_t>& values = Values();
  if (ValueChannels() < 2) {
    values[0] = value;
  } else if (balance_ > 0) {
    values[1] = value;
    values[0] = Scaled(1.0 - static_cast<double>(balance_), value);
  } else {
    values[0] = value;
    values[1] = Scaled(1.0 + static_cast<double>(balance_), value);
  }
  if (!WriteLocked()) return 0;
  position_ = std::min(value / step_, steps_);
  return AsResult(position_);
}

int CMixerFader::GetFaderLevel() {
  Locked lock(*this);
  if (!ReadLocked()) return 0;
  // The louder channel carries the level (SetFaderValue puts it there and
  // scales the other by the balance).
  const std::vector<std::uint32_t>& values = Values();
  const std::uint32_t louder = *std::max_element(values.begin(), values.begin() + ValueChannels());
  const std::uint64_t level = static_cast<std::uint64_t>(louder) * kMaxLevel / step_ / steps_;
  return static_cast<int>(std::min<std::uint64_t>(level, kMaxLevel));
}

int CMixerFader::OnControlChange(MixerHandle mixer, std::intptr_t controlId) {
  Locked lock(*this);
  if (!HasValues() || mixer != Mixer() || controlId != static_cast<std::intptr_t>(Control().controlId)) return 0;
  if (!ReadLocked()) return 0;
  std::vector<std::uint32_t>& values = Values();
  // Every channel is raised, to no more than the control takes (a higher
  // value would be refused). Only a raised value is written back: every
  // write makes the device post another change notification, and writing
  // an unchanged value would keep that going for as long as the call lasts.
  const std::uint32_t lowest = std::min(kLowestCallLevel, Control().maximum);
  bool raise = false;
  for (std::uint32_t channel = 0; channel < ValueChannels(); ++channel) {
    if (values[channel] >= lowest) continue;
    values[channel] = lowest;
    raise = true;
  }
  if (raise) WriteLocked();
  SetHVSliderPosLocked(lock);
  if (raise) ReadLocked();
  return 0;
}

}  // namespace tolvane
