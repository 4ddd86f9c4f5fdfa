#pragma once
// The machine's local (ANSI) code page, as the conversions between it and the
// Skype command text see it. On Windows it is CP_ACP through the system's
// conversion functions (ansi_code_page_win.h); tests put in a known one.
#include <string>
#include <string_view>

namespace tolvane::fontlib {

class LocalCodePage {
 public:
  virtual ~LocalCodePage() = default;

  // The whole local text as UTF-16.
  virtual std::u16string Decode(std::string_view local) const = 0;

  // One character (a code point as one UTF-16 unit or a surrogate pair) in the
  // local code page; a character the code page lacks comes back as the code
  // page's own stand-in, never as nothing.
  virtual std::string EncodeCharacter(std::u16string_view character) const = 0;
};

}  // namespace tolvane::fontlib
