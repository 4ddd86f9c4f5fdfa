#include "audio/audio_device_choice.h"

#include <utility>

#include "audio/default_audio_devices.h"

namespace tolvane {
namespace {

const char* const kPlayback = kSoundMapperPlayback;
const char* const kUserPlayback = kSoundMapperUserPlayback;
const char* const kRecord = kSoundMapperRecord;
const char* const kUserRecord = kSoundMapperUserRecord;

std::vector<std::string> Names(const WaveDevices& devices, bool output) {
  std::vector<std::string> names;
  const unsigned count = output ? devices.OutputCount() : devices.InputCount();
  for (unsigned i = 0; i < count; ++i) names.push_back(output ? devices.OutputName(i) : devices.InputName(i));
  return names;
}

// Selects the device the key names, the first one when it names none.
int SelectNamed(SoundMapperKey& key, const char* value, const std::vector<std::string>& names) {
  const std::optional<std::string> named = key.Read(value);
  if (!named) return 0;
  return IndexOfDevice(names, *named).value_or(0);
}

// Writes the first named device that is not the handset as the default and the
// user's choice; selects it (the first one when none qualifies).
int WriteFirstOffHandset(SoundMapperKey& key, const char* value, const char* userValue,
                         const std::vector<std::string>& names, const std::string& prefix) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!CanBeWindowsDefault(names[i], prefix)) continue;
    if (!key.Write(value, names[i])) continue;
    key.Write(userValue, names[i]);
    return static_cast<int>(i);
  }
  return 0;
}

}  // namespace

std::optional<int> IndexOfDevice(const std::vector<std::string>& names, std::string_view name) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) return static_cast<int>(i);
  }
  return std::nullopt;
}

DeviceChoice InitialDeviceChoice(WaveDevices& devices, SoundMapperKey& key, const std::string& handsetPrefix) {
  DeviceChoice choice;
  choice.outputs = Names(devices, true);
  choice.inputs = Names(devices, false);
  choice.available = !choice.outputs.empty() && !choice.inputs.empty();
  if (!choice.available) {
    choice.outputs.clear();
    choice.inputs.clear();
    return choice;
  }
  if (key.Open()) {
    choice.output = SelectNamed(key, kPlayback, choice.outputs);
    choice.input = SelectNamed(key, kRecord, choice.inputs);
    key.Close();
    return choice;
  }
  if (key.Create()) {
    choice.output = WriteFirstOffHandset(key, kPlayback, kUserPlayback, choice.outputs, handsetPrefix);
    choice.input = WriteFirstOffHandset(key, kRecord, kUserRecord, choice.inputs, handsetPrefix);
    key.Close();
  }
  key.CopySetupPreferredCount();
  return choice;
}

void ApplyDeviceChoice(SoundMapperKey& key, const DeviceChoice& lists, std::string_view shownOutput,
                       std::string_view shownInput) {
  if (!key.Open()) return;
  if (const std::optional<int> output = IndexOfDevice(lists.outputs, shownOutput)) {
    key.Write(kPlayback, lists.outputs[static_cast<std::size_t>(*output)]);
  }
  if (const std::optional<int> input = IndexOfDevice(lists.inputs, shownInput)) {
    key.Write(kRecord, lists.inputs[static_cast<std::size_t>(*input)]);
  }
  key.Close();
}

DeviceWatch::DeviceWatch(SoundMapperKey& key, std::vector<std::string> outputs, std::vector<std::string> inputs)
    : key_(key), outputs_(std::move(outputs)), inputs_(std::move(inputs)) {}

void DeviceWatch::SetShown(bool output, int index) { (output ? shownOutput_ : shownInput_).store(index); }

std::optional<DeviceWatch::Move> DeviceWatch::Follow(bool output, const std::string& name) {
  std::string& last = output ? lastOutput_ : lastInput_;
  const std::vector<std::string>& names = output ? outputs_ : inputs_;
  if (name == last) return std::nullopt;
  last = name;
  const std::optional<int> index = IndexOfDevice(names, name);
  if (!index || *index == (output ? shownOutput_ : shownInput_).load()) return std::nullopt;
  (output ? shownOutput_ : shownInput_).store(*index);
  return Move{output, *index};
}

std::optional<std::vector<DeviceWatch::Move>> DeviceWatch::Round() {
  if (!key_.Open()) return std::nullopt;
  const std::optional<std::string> playback = key_.Read(kPlayback);
  const std::optional<std::string> record = key_.Read(kRecord);
  key_.Close();
  if (!playback || !record) return std::nullopt;
  std::vector<Move> moves;
  if (!started_) {
    started_ = true;
    lastOutput_ = *playback;
    lastInput_ = *record;
    return moves;
  }
  if (std::optional<Move> move = Follow(true, *playback)) moves.push_back(*move);
  if (std::optional<Move> move = Follow(false, *record)) moves.push_back(*move);
  return moves;
}

}  // namespace tolvane
