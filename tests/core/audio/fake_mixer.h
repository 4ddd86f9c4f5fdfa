#pragma once
// A mixer device in memory behind the MixerApi port, and a trace recorder.
// The fake checks what winmm would refuse (closed handles, a block of the
// wrong size) and counts it, so tests can assert that nothing of the kind
// happened. It is safe to call from several threads.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "audio/mixer_api.h"
#include "audio/mixer_constants.h"
#include "audio/mixer_trace.h"

namespace tolvane::testing {

struct FakeControl {
  MixerControl control;
  std::vector<std::uint32_t> values;  // channels x items, as the device holds them
  bool failReads = false;
  bool failWrites = false;
};

struct FakeLine {
  MixerLine line;
  std::vector<FakeControl> controls;
  std::vector<FakeLine> sources;  // of a destination line
};

struct FakeDevice {
  std::string name;
  std::vector<FakeLine> destinations;
  bool failOpen = false;
  bool failCaps = false;
};

// A volume control of 0-65535 in `steps` steps (100 steps are 655 units each).
inline FakeControl VolumeControl(std::uint32_t id, std::uint32_t channels, std::uint32_t steps = 100) {
  FakeControl c;
  c.control = {id, mixer::kVolume, 0, 0, 0, 65535, steps};
  c.values.assign(channels, 0);
  return c;
}

inline FakeControl MuteControl(std::uint32_t id) {
  FakeControl c;
  c.control = {id, mixer::kMute, mixer::kControlUniform, 0, 0, 1, 0};
  c.values.assign(1, 0);
  return c;
}

inline FakeLine Line(std::uint32_t id, std::uint32_t type, std::uint32_t channels, std::vector<FakeControl> controls,
                     std::vector<FakeLine> sources = {}) {
  FakeLine l;
  l.line = {id, type, channels, static_cast<std::uint32_t>(sources.size()),
            static_cast<std::uint32_t>(controls.size()), "line " + std::to_string(id)};
  l.controls = std::move(controls);
  l.sources = std::move(sources);
  return l;
}

// Control ids of the handset device below.
inline constexpr std::uint32_t kSpeakerVolumeId = 1;
inline constexpr std::uint32_t kMonitorMuteId = 2;
inline constexpr std::uint32_t kMicVolumeId = 3;

// The handset's sound device: speakers with a volume (mono or stereo) and the
// microphone's mute in their mix; recording with the microphone's volume.
inline FakeDevice HandsetDevice(std::uint32_t speakerChannels = 1, std::string name = "USB Audio Device") {
  FakeDevice d;
  d.name = std::move(name);
  d.destinations.push_back(
      Line(0x10, mixer::kDstSpeakers, speakerChannels, {VolumeControl(kSpeakerVolumeId, speakerChannels)},
           {Line(0x11, mixer::kSrcMicrophone, 1, {MuteControl(kMonitorMuteId)})}));
  d.destinations.push_back(
      Line(0x20, mixer::kDstWaveIn, 1, {}, {Line(0x21, mixer::kSrcMicrophone, 1, {VolumeControl(kMicVolumeId, 1)})}));
  return d;
}

class FakeMixer final : public MixerApi {
 public:
  explicit FakeMixer(std::vector<FakeDevice> devices = {}) : devices_(std::move(devices)) {}

  unsigned DeviceCount() override {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<unsigned>(devices_.size());
  }

  bool Open(unsigned index, WindowHandle callbackWindow, MixerHandle* mixer) override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (index >= devices_.size() || devices_[index].failOpen) return false;
    *mixer = nextHandle_++;
    open_[*mixer] = {index, callbackWindow};
    return true;
  }

  bool GetCaps(MixerHandle mixer, MixerCaps* caps) override {
    std::lock_guard<std::mutex> lock(mutex_);
    FakeDevice* device = DeviceOf(mixer);
    if (device == nullptr || device->failCaps) return false;
    caps->name = device->name;
    caps->destinations = static_cast<std::uint32_t>(device->destinations.size());
    return true;
  }

  bool GetDestinationLine(MixerHandle mixer, std::uint32_t destination, MixerLine* line) override {
    std::lock_guard<std::mutex> lock(mutex_);
    FakeDevice* device = DeviceOf(mixer);
    if (device == nullptr || destination >= device->destinations.size()) return false;
    *line = device->destinations[destination].line;
    return true;
  }

  bool GetSourceLine(MixerHandle mixer, std::uint32_t destination, std::uint32_t source, MixerLine* line) override {
    std::lock_guard<std::mutex> lock(mutex_);
    FakeDevice* device = DeviceOf(mixer);
    if (device == nullptr || destination >= device->destinations.size()) return false;
    const auto& sources = device->destinations[destination].sources;
    if (source >= sources.size()) return false;
    *line = sources[source].line;
    return true;
  }

  bool GetControlByType(MixerHandle mixer, std::uint32_t lineId, std::uint32_t controlType,
                        MixerControl* control) override {
    std::lock_guard<std::mutex> lock(mutex_);
    FakeDevice* device = DeviceOf(mixer);
    if (device == nullptr) return false;
    for (FakeLine* line : LinesOf(*device)) {
      if (line->line.lineId != lineId) continue;
      for (const FakeControl& c : line->controls) {
        if (c.control.controlType != controlType) continue;
        *control = c.control;
        return true;
      }
    }
    return false;
  }

  bool GetDetails(MixerHandle mixer, const MixerDetails& details, std::uint32_t* values,
                  std::size_t count) override {
    std::lock_guard<std::mutex> lock(mutex_);
    FakeControl* c = CheckedControl(mixer, details, count);
    if (c == nullptr || c->failReads) return false;
    std::copy(c->values.begin(), c->values.end(), values);
    return true;
  }

  bool SetDetails(MixerHandle mixer, const MixerDetails& details, const std::uint32_t* values,
                  std::size_t count) override {
    std::lock_guard<std::mutex> lock(mutex_);
    FakeControl* c = CheckedControl(mixer, details, count);
    if (c == nullptr || c->failWrites) return false;
    std::copy(values, values + c->values.size(), c->values.begin());
    std::string write = std::to_string(details.controlId) + "=";
    for (std::size_t i = 0; i < c->values.size(); ++i) write += (i ? "," : "") + std::to_string(c->values[i]);
    writes_.push_back(write);
    return true;
  }

  void Close(MixerHandle mixer) override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (open_.erase(mixer) == 0) ++misuse_;
  }

  // --- for the test ---

  // Runs `change` on the control with `id` on every device, under the lock.
  template <typename Change>
  void WithControl(std::uint32_t id, Change change) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (FakeDevice& device : devices_) {
      for (FakeLine* line : LinesOf(device)) {
        for (FakeControl& c : line->controls) {
          if (c.control.controlId == id) change(c);
        }
      }
    }
  }
  void SetValues(std::uint32_t id, std::vector<std::uint32_t> values) {
    WithControl(id, [&](FakeControl& c) { c.values = values; });
  }
  std::vector<std::uint32_t> Values(std::uint32_t id) {
    std::vector<std::uint32_t> values;
    WithControl(id, [&](FakeControl& c) { values = c.values; });
    return values;
  }
  // "<control id>=<value>,<value>..." for every successful write, in order.
  std::vector<std::string> Writes() {
    std::lock_guard<std::mutex> lock(mutex_);
    return writes_;
  }
  void ClearWrites() {
    std::lock_guard<std::mutex> lock(mutex_);
    writes_.clear();
  }
  std::size_t OpenHandles() {
    std::lock_guard<std::mutex> lock(mutex_);
    return open_.size();
  }
  // The window each open handle notifies, by handle.
  std::map<MixerHandle, WindowHandle> Windows() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::map<MixerHandle, WindowHandle> windows;
    for (const auto& [handle, device] : open_) windows[handle] = device.window;
    return windows;
  }
  // Calls winmm would have refused: a closed or unknown handle, a block
  // that does not fit the control.
  int Misuse() {
    std::lock_guard<std::mutex> lock(mutex_);
    return misuse_;
  }

 private:
  struct OpenDevice {
    unsigned device;
    WindowHandle window;
  };

  FakeDevice* DeviceOf(MixerHandle mixer) {
    auto it = open_.find(mixer);
    if (it == open_.end()) {
      ++misuse_;
      return nullptr;
    }
    return &devices_[it->second.device];
  }

  static std::vector<FakeLine*> LinesOf(FakeDevice& device) {
    std::vector<FakeLine*> lines;
    for (FakeLine& destination : device.destinations) {
      lines.push_back(&destination);
      for (FakeLine& source : destination.sources) lines.push_back(&source);
    }
    return lines;
  }

  FakeControl* CheckedControl(MixerHandle mixer, const MixerDetails& details, std::size_t count) {
    FakeDevice* device = DeviceOf(mixer);
    if (device == nullptr) return nullptr;
    for (FakeLine* line : LinesOf(*device)) {
      for (FakeControl& c : line->controls) {
        if (c.control.controlId != details.controlId) continue;
        const std::size_t items = std::max<std::uint32_t>(details.multipleItems, 1);
        if (details.channels * items != c.values.size() || count < c.values.size()) {
          ++misuse_;
          return nullptr;
        }
        return &c;
      }
    }
    return nullptr;
  }

  std::mutex mutex_;
  std::vector<FakeDevice> devices_;
  std::map<MixerHandle, OpenDevice> open_;
  MixerHandle nextHandle_ = 0x100;
  std::vector<std::string> writes_;
  int misuse_ = 0;
};

// "<where>: <text>" for every trace, in order. `onTrace` runs for each,
// outside the recorder's lock.
class RecordingMixerTrace final : public MixerTrace {
 public:
  std::function<void()> onTrace;

  void Trace(const std::string& where, const std::string& text) override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      lines_.push_back(where + ": " + text);
    }
    if (onTrace) onTrace();
  }
  std::vector<std::string> Lines() {
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> lines_;
};

}  // namespace tolvane::testing
