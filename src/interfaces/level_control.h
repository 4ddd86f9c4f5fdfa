#pragma once
// A handset level (speaker or microphone fader) as the key handling sets it.
// Kinds: 0 one step up, 1 one step down, 2 set to value (0-32 scale).
namespace tolvane {

class LevelControl {
 public:
  virtual int SetFaderValue(int kind, int value) = 0;

 protected:
  ~LevelControl() = default;
};

}  // namespace tolvane
