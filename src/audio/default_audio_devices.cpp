#include "audio/default_audio_devices.h"

#include <cctype>

#include "audio/sound_mapper_key.h"
#include "audio/wave_devices.h"

namespace tolvane {

bool IsHandsetDevice(const std::string& name, const std::string& prefix) {
  if (name.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(name[i])) != std::toupper(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

bool CanBeWindowsDefault(const std::string& name, const std::string& prefix) {
  return !name.empty() && !IsHandsetDevice(name, prefix);
}

DefaultAudioDevices::DefaultAudioDevices(WaveDevices& devices, SoundMapperKey& key, std::string prefix)
    : devices_(devices), key_(key), prefix_(std::move(prefix)) {}

int DefaultAudioDevices::SetDefaultAudioDevices() {
  std::lock_guard<std::mutex> hold(lock_);
  const unsigned outputs = devices_.OutputCount();
  const unsigned inputs = devices_.InputCount();
  if (outputs == 0 || inputs == 0) return 1;
  // An existing choice was made among the devices as they are now: the
  // newest (last) device that is not the handset wins. A fresh key takes the
  // first one.
  Scan scan = Scan::kDownward;
  if (!key_.Open()) {
    key_.Create();
    scan = Scan::kUpward;
  }
  WriteFirstOtherDevice(scan, outputs, &WaveDevices::OutputName, kSoundMapperPlayback, kSoundMapperUserPlayback);
  WriteFirstOtherDevice(scan, inputs, &WaveDevices::InputName, kSoundMapperRecord, kSoundMapperUserRecord);
  key_.Close();
  key_.CopySetupPreferredCount();
  return 1;
}

void DefaultAudioDevices::WriteFirstOtherDevice(Scan scan, unsigned count,
                                                std::string (WaveDevices::*name)(unsigned) const,
                                                const char* value, const char* userValue) {
  for (unsigned step = 0; step < count; ++step) {
    const unsigned index = scan == Scan::kUpward ? step : count - 1 - step;
    const std::string device = (devices_.*name)(index);
    if (!CanBeWindowsDefault(device, prefix_)) continue;
    // A device whose name cannot be written is passed over for the next.
    if (!key_.Write(value, device)) continue;
    key_.Write(userValue, device);
    return;
  }
}

}  // namespace tolvane
