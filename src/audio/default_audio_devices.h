#pragma once
// Keeps Windows' own default playback and recording devices off the handset:
// the first named device (by the scan order below) whose name does not begin
// with the handset's prefix becomes the default, named in the user's Sound
// Mapper key. Called before the program (re)discovers the client, from the
// session's action threads, and when a handset arrives or leaves, on the UI
// thread: one update at a time, since the key is one open handle.
#include <mutex>
#include <string>

#include "interfaces/sound_mapper.h"

namespace tolvane {

class SoundMapperKey;
class WaveDevices;

// Whether a device name is the handset's: it begins with the prefix, in any
// case.
bool IsHandsetDevice(const std::string& name, const std::string& prefix);
// Whether a device may be made a Windows default: it has a name (an empty
// one is a device whose capabilities could not be read, which may be the
// handset on its way out) and is not the handset.
bool CanBeWindowsDefault(const std::string& name, const std::string& prefix);

class DefaultAudioDevices final : public SoundMapper {
 public:
  // Both ports must outlive the object; `prefix` is the handset's ("USB").
  DefaultAudioDevices(WaveDevices& devices, SoundMapperKey& key, std::string prefix);

  // SoundMapper: the whole update.
  void MoveDefaultDevicesOffHandset() override { SetDefaultAudioDevices(); }

  // With an existing key the devices are scanned from the last index down,
  // with a new key from index 0 up; each kind is written to its value and
  // the user's value. Returns 1.
  int SetDefaultAudioDevices();

 private:
  enum class Scan { kDownward, kUpward };
  void WriteFirstOtherDevice(Scan scan, unsigned count, std::string (WaveDevices::*name)(unsigned) const,
                             const char* value, const char* userValue);

  WaveDevices& devices_;
  SoundMapperKey& key_;
  std::string prefix_;
  // Held across an update: from the key's opening to its closing.
  std::mutex lock_;
};

}  // namespace tolvane
