#include "phone_state/case_mapping.h"

namespace tolvane {

std::string AsciiCaseMapping::Upper(std::string_view text) const {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

const CaseMapping& DefaultCaseMapping() {
  static const AsciiCaseMapping mapping;
  return mapping;
}

}  // namespace tolvane
