#pragma once
// Bits of HandsetControl::HandsetMode, the word that says what the handset's
// screen shows and whether the user is browsing. The dispatcher, the key
// handling and the screen streaming all read and write it.
#include <cstdint>

namespace tolvane {

enum HandsetModeBit : std::uint32_t {
  kModeCallerIdAsked = 0x1,       // a call's caller identification was asked for
  kModeDuration = 0x4,            // a finished call's duration is to be shown
  kModeBalance = 0x8,             // the SkypeOut balance is shown
  kModeHandleText = 0x10,         // the screen's text is a handle (code 62 sent)
  kModeRenderedText = 0x20,       // the screen's text is rendered (code 63 sent)
  kModeBrowseContacts = 0x100,    // contact browsing
  kModeBrowseHistory = 0x200,     // call-history browsing
  kModeMissedCalls = 0x400,       // the missed-call message (mode 0x420)
  kModeFocusedContact = 0x10000,  // a contact focused in the client is shown
};

}  // namespace tolvane
