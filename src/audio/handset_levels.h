#pragma once
// The handset's speaker and microphone levels on the mixer's 0-32 scale, as
// the Volume Control dialog reads and sets them. The shell connects it to
// the speaker and microphone faders.
namespace tolvane {

class HandsetLevels {
 public:
  virtual int SpeakerLevel() = 0;
  virtual int MicrophoneLevel() = 0;
  virtual void SetSpeakerLevel(int level) = 0;
  virtual void SetMicrophoneLevel(int level) = 0;

 protected:
  ~HandsetLevels() = default;
};

}  // namespace tolvane
