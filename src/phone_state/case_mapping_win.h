#pragma once
// Case mapping by the rules of the ANSI code page, the encoding in which the
// client's handles and names reach the program: multibyte characters are
// upper-cased as whole characters, never byte by byte.
#include "phone_state/case_mapping.h"

namespace tolvane {

class AnsiCaseMapping final : public CaseMapping {
 public:
  std::string Upper(std::string_view text) const override;
};

}  // namespace tolvane
