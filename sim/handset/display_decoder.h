#pragma once
// What the handset's display shows, decoded from the characters and control
// codes the program streams with SendDisplayChar:
//   (0, 79)                          begins a screen (the display is cleared)
//   (106|107|109|0, 10)              a status mark
//   (112|128|129|131, 10)            introduces a field: name, time, duration,
//                                    call duration
//   (26, 10)                         ends the screen
//   (c, 0|5)                         a text character; the first of a field has
//                                    parameter 0, the next ones 5, 0, 5, ...
// A screen stays shown after its end until something new is drawn: the first
// code after an end starts a fresh screen even without (0, 79), as the
// screens of one browse session follow each other that way.
// Plain C++, tested on its own.
#include <optional>
#include <string>
#include <vector>

namespace simhandset {

struct DisplayField {
  std::string name;  // "name", "time", "duration", "call-duration", "text" (before any field)
  std::string text;
};

struct DisplayScreen {
  std::optional<int> mark;           // the status mark's code, when one was drawn
  std::vector<DisplayField> fields;  // in the order drawn
  int parameterFaults = 0;           // characters whose parameter broke the 0, 5, 0 ... rule
  bool ended = false;

  // One line: `mark=106 name="Alice"`, fields in order, `faults=N` when some
  // parameters were wrong, `(blank)` for a screen with nothing on it.
  std::string Describe() const;
};

class DisplayDecoder {
 public:
  // Takes one SendDisplayChar; true when it ended a screen.
  bool Feed(int code, int parameter);
  // What the display shows now (the last screen, until something new is drawn).
  const DisplayScreen& Screen() const { return screen_; }

 private:
  void StartFreshIfEnded();
  void Character(int code, int parameter);

  DisplayScreen screen_;
  int expectedParameter_ = 0;
};

}  // namespace simhandset
