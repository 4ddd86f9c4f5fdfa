#pragma once
// A handset level (the speaker or microphone fader of the handset's sound
// device) as the key handling, the main window and the volume dialog set it.
// The mixer's fader implements it.
namespace tolvane {

// Kinds of SetFaderValue.
enum FaderKind : int {
  kFaderStepUp = 0,      // up by 25 fader steps (the value is not used)
  kFaderStepDown = 1,    // down by 25 fader steps
  kFaderSetLevel = 2,    // to a level on the 0-32 scale
  kFaderSetDialog = 4,   // to a level set in the volume dialog
};

class LevelControl {
 public:
  // The new position, or 0 on failure.
  virtual int SetFaderValue(int kind, int value) = 0;

 protected:
  ~LevelControl() = default;
};

}  // namespace tolvane
