#pragma once
// One run of the indicator: streams the screen that HandsetMode says is
// prepared to a handset with a display, code by code and character by
// character with SendDisplayChar, then runs the end sequence that tells the
// handset the screen is over and settles the mode word.
//
// The screen is chosen once, from HandsetMode as it is when the run begins;
// at its end the mode is settled from the value it has then, unless a screen
// was prepared meanwhile (the next browsed entry shown), which is left for
// the handset's next request.
// A stop request (HandsetControl::indicatorStop) ends the run early: inside
// a text after the character just sent, elsewhere at the next check; the
// end sequence runs in every case, and takes any stop request back under the
// handset's indicator lock, after which no stop reaches this run. The run
// takes no other lock of its own; the stores take theirs.
#include <cstdint>

#include "common/status.h"

namespace tolvane {

class DisplayRenderer;
class HandsetControl;
class IContactList;
class IPhoneState;
class ISkypeLink;

class DisplayIndicator {
 public:
  // What a run reaches. The handset is required; a missing store shows no
  // entry (its texts are empty, its status unknown), a missing renderer or
  // session is skipped.
  struct Parts {
    HandsetControl* handset = nullptr;
    IPhoneState* phoneState = nullptr;
    IContactList* contactList = nullptr;
    DisplayRenderer* renderer = nullptr;
    ISkypeLink* link = nullptr;
  };

  explicit DisplayIndicator(const Parts& parts);

  // The whole run: the prepared screen, then the end sequence.
  void Run();

 private:
  enum class Screen { kRendered, kHandle };

  void RenderedScreen(std::uint32_t mode);
  void HandleScreen(std::uint32_t mode);
  void DurationScreen();
  void End(std::uint64_t start);

  bool Stopped() const;
  int Send(int code, int parameter);
  void Mark(int mark);
  void Field(int code);
  void BeginScreen();
  void Finish();
  // (129, 10) and the duration, (128, 10) and the timestamp of the selected
  // history entry; false when the screen ends here.
  bool EntryTimes();
  // Streams a text one character at a time; false when a stop request came
  // during it (the request is then taken back: the run ends anyway).
  template <typename Store>
  bool Stream(Store* store, Status (Store::*next)(char*));

  int ContactMark(Status (IContactList::*read)(int*)) const;
  bool SelectedContactMark();
  int HistoryMark(Screen screen) const;

  HandsetControl& handset_;
  IPhoneState* phoneState_;
  IContactList* contactList_;
  DisplayRenderer* renderer_;
  ISkypeLink* link_;
};

}  // namespace tolvane
