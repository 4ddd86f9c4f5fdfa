#pragma once
// The system's ANSI code page (CP_ACP) for the library's conversions.
#include "fontlib/local_code_page.h"

namespace tolvane::fontlib {

class AnsiCodePage final : public LocalCodePage {
 public:
  std::u16string Decode(std::string_view local) const override;
  std::string EncodeCharacter(std::u16string_view character) const override;
};

}  // namespace tolvane::fontlib
