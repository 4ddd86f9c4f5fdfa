#pragma once
// The choice of the Windows default playback and recording devices as the
// Audio Device Settings dialog shows and applies it, and its watch on the
// Sound Mapper key while the dialog is open. The dialog lists the wave
// devices by index; these functions work on the lists and the key.
#include <atomic>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "audio/sound_mapper_key.h"
#include "audio/wave_devices.h"

namespace tolvane {

// Index of the device named exactly `name`; nothing when none is.
std::optional<int> IndexOfDevice(const std::vector<std::string>& names, std::string_view name);

struct DeviceChoice {
  std::vector<std::string> outputs;
  std::vector<std::string> inputs;
  int output = 0;
  int input = 0;
  // False with no wave-out or no wave-in device: the lists stay empty and
  // the dialog shows "no speaker" and "no microphone" instead.
  bool available = false;
};

// The lists and the devices to select when the dialog opens: the ones the
// key names (the first when it names none of them). Without a key, it is
// created with the first devices that are not the handset, which are then
// selected.
DeviceChoice InitialDeviceChoice(WaveDevices& devices, SoundMapperKey& key, const std::string& handsetPrefix);

// Writes the shown choices to "Playback" and "Record", each only when a
// device of exactly that name exists.
void ApplyDeviceChoice(SoundMapperKey& key, const DeviceChoice& lists, std::string_view shownOutput,
                       std::string_view shownInput);

// Follows the key while the dialog is open: a default device changed
// elsewhere (the control panel) moves the dialog's selection.
class DeviceWatch {
 public:
  struct Move {
    bool output;  // the playback list, else the recording list
    int index;
  };

  DeviceWatch(SoundMapperKey& key, std::vector<std::string> outputs, std::vector<std::string> inputs);

  // The dialog's current selections (-1: none); any thread.
  void SetShown(bool output, int index);

  // One round; nothing when the key cannot be read (the watch ends). The
  // first round only remembers the names. The key is used by no one else
  // meanwhile: the dialog starts the watch after its own reads and joins it
  // before its writes.
  std::optional<std::vector<Move>> Round();

 private:
  std::optional<Move> Follow(bool output, const std::string& name);

  SoundMapperKey& key_;
  const std::vector<std::string> outputs_;
  const std::vector<std::string> inputs_;
  std::atomic<int> shownOutput_{-1};
  std::atomic<int> shownInput_{-1};
  bool started_ = false;
  std::string lastOutput_;
  std::string lastInput_;
};

}  // namespace tolvane
