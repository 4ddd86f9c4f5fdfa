#pragma once
// The Windows default audio devices, as the session moves them: before it
// (re)discovers the client, playback and recording are pointed at devices
// other than the handset when the configuration asks for it.
namespace tolvane {

class SoundMapper {
 public:
  virtual ~SoundMapper() = default;
  virtual void MoveDefaultDevicesOffHandset() = 0;
};

}  // namespace tolvane
