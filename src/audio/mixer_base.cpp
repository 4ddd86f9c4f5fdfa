#include "audio/mixer_base.h"

#include <initializer_list>
#include <stdexcept>
#include <string_view>

#include "audio/handset_mixer_search.h"
#include "audio/mixer_names.h"
#include "common/bounded_text.h"

namespace tolvane {
namespace {

constexpr const char* kInit = "CMixerBase::Init";

// No mixer control has anywhere near this many items and channels; a driver
// that claims more is not believed.
constexpr std::uint64_t kMaxValues = 1u << 16;

bool KnownUnits(std::uint32_t controlType) {
  switch (controlType & mixer::kUnitsMask) {
    case mixer::kUnitsBoolean:
    case mixer::kUnitsSigned:
    case mixer::kUnitsUnsigned:
    case mixer::kUnitsDecibels:
    case mixer::kUnitsPercent:
      return true;
    default:
      return false;
  }
}

std::string Concat(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text.append(part);
  return text;
}

}  // namespace

CMixerBase::Locked::Locked(const CMixerBase& owner) : lock_(owner.mutex_), trace_(owner.trace_) {}

CMixerBase::Locked::~Locked() {
  lock_.unlock();
  if (trace_ == nullptr) return;
  for (const auto& [where, text] : pending_) trace_->Trace(where, text);
}

void CMixerBase::Locked::Trace(std::string where, std::string text) {
  pending_.emplace_back(std::move(where), std::move(text));
}

CMixerBase::CMixerBase(MixerApi& api, MixerTrace* trace, std::string devicePrefix)
    : api_(api), trace_(trace), devicePrefix_(std::move(devicePrefix)) {}

CMixerBase::~CMixerBase() {
  std::lock_guard<std::mutex> lock(mutex_);
  CloseLocked();
}

int CMixerBase::OpenHandsetMixer(WindowHandle window) {
  Locked lock(*this);
  CloseLocked();
  return OpenLocked(lock, window) ? 1 : 0;
}

void CMixerBase::Close() {
  std::lock_guard<std::mutex> lock(mutex_);
  CloseLocked();
}

std::size_t CMixerBase::GetDeviceName(char* buffer, std::size_t size) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return CopyBounded(buffer, size, deviceName_);
}

std::size_t CMixerBase::GetOtherDeviceName(char* buffer, std::size_t size) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return CopyBounded(buffer, size, otherDeviceName_);
}

bool CMixerBase::OpenLocked(Locked& lock, WindowHandle window) {
  HandsetMixerSearch search = FindHandsetMixer(api_, devicePrefix_, window);
  if (search.outcome == HandsetMixerSearch::Outcome::kNoDevice) {
    lock.Trace("CMixerBase::OpenHandsetMixer", "No mixer device present");
  }
  if (!search.otherDeviceName.empty()) otherDeviceName_ = std::move(search.otherDeviceName);
  if (search.outcome != HandsetMixerSearch::Outcome::kFound) return false;
  mixer_ = search.mixer;
  destinations_ = search.destinations;
  deviceName_ = std::move(search.deviceName);
  return true;
}

void CMixerBase::CloseLocked() {
  if (mixer_ != 0) api_.Close(mixer_);
  mixer_ = 0;
  destinations_ = 0;
  values_.clear();
  values_.shrink_to_fit();
}

bool CMixerBase::InitLocked(Locked& lock, std::uint32_t destinationType, std::uint32_t sourceType,
                            std::uint32_t controlType, WindowHandle window) {
  CloseLocked();
  if (!OpenLocked(lock, window)) {
    lock.Trace(kInit, "Could not open mixer device");
    return false;
  }
  MixerLine line;
  if (!FindLineLocked(lock, destinationType, sourceType, &line)) {
    CloseLocked();
    return false;
  }
  lineChannels_ = line.channels;
  if (line.controls == 0) lock.Trace(kInit, "No controls available for this audio line: " + line.name);
  if (!api_.GetControlByType(mixer_, line.lineId, controlType, &control_)) {
    lock.Trace(kInit, Concat({"Could not find specified mixer control. Associated Windows control will be "
                              "disabled.\nControl type: ",
                              mixer::ControlTypeName(controlType), ",\n\nDest line type: ",
                              mixer::LineTypeName(destinationType), ",\nSrc  line type: ",
                              mixer::LineTypeName(sourceType), "\n"}));
    CloseLocked();
    return false;
  }
  return InitDetailsLocked(lock);
}

bool CMixerBase::FindLineLocked(Locked& lock, std::uint32_t destinationType, std::uint32_t sourceType,
                                MixerLine* line) {
  bool found = false;
  std::uint32_t destination = 0;
  for (; destination < destinations_; ++destination) {
    if (!api_.GetDestinationLine(mixer_, destination, line)) break;
    if (line->componentType == destinationType) {
      found = true;
      break;
    }
  }
  if (!found) {
    lock.Trace(kInit, Concat({"Warning: the destination line \n", mixer::LineTypeName(destinationType),
                              "\nwas not found."}));
    return false;
  }
  if (sourceType == mixer::NoSourceLine) return true;
  const std::uint32_t connections = line->connections;
  for (std::uint32_t source = 0; source < connections; ++source) {
    if (!api_.GetSourceLine(mixer_, destination, source, line)) break;
    if (line->componentType == sourceType) return true;
  }
  lock.Trace(kInit, Concat({"Warning: the source line \n", mixer::LineTypeName(sourceType),
                            "\n not found.\n\n(Associated to Destination line \n",
                            mixer::LineTypeName(destinationType), ")"}));
  return false;
}

bool CMixerBase::InitDetailsLocked(Locked& lock) {
  const bool multiple = (control_.flags & mixer::kControlMultiple) != 0;
  details_.controlId = control_.controlId;
  details_.multipleItems = multiple ? control_.multipleItems : 0;
  details_.channels = (control_.flags & mixer::kControlUniform) != 0 ? 1 : lineChannels_;
  if (!KnownUnits(control_.controlType)) {
    lock.Trace("CMixerBase::InitMXDetails", "Control uses unknown units.");
    CloseLocked();
    return false;
  }
  const std::uint64_t count =
      static_cast<std::uint64_t>(multiple ? control_.multipleItems : 1) * details_.channels;
  try {
    if (count > kMaxValues) throw std::length_error("mixer control values");
    values_.assign(static_cast<std::size_t>(count), 0);
  } catch (const std::exception&) {
    lock.Trace("CMixerBase::InitMXDetails", "Memory allocation error.");
    CloseLocked();
    return false;
  }
  return true;
}

bool CMixerBase::ReadLocked() {
  return HasValues() && api_.GetDetails(mixer_, details_, values_.data(), values_.size());
}

bool CMixerBase::WriteLocked() {
  return HasValues() && api_.SetDetails(mixer_, details_, values_.data(), values_.size());
}

}  // namespace tolvane
