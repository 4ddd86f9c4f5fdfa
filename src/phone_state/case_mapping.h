#pragma once
// Upper-casing of handles and display names. Handles are matched without
// regard to case and names are sorted by their upper-cased bytes; both follow
// the rules of the text's code page. On Windows that is the ANSI code page
// (case_mapping_win.h); the portable default knows only ASCII letters.
#include <string>
#include <string_view>

namespace tolvane {

class CaseMapping {
 public:
  virtual ~CaseMapping() = default;
  // The text with every lower-case character replaced by its upper-case
  // form, in the same encoding. Two texts are equal without regard to case
  // exactly when their upper-cased forms are equal.
  virtual std::string Upper(std::string_view text) const = 0;
};

// ASCII a-z only; every other byte is kept.
class AsciiCaseMapping final : public CaseMapping {
 public:
  std::string Upper(std::string_view text) const override;
};

// A process-wide ASCII mapping, the default of the contact store.
const CaseMapping& DefaultCaseMapping();

}  // namespace tolvane
