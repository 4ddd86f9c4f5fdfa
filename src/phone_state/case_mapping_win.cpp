#include "phone_state/case_mapping_win.h"

#include <windows.h>

namespace tolvane {
namespace {

std::wstring ToWide(std::string_view text) {
  const int size = static_cast<int>(text.size());
  const int wideSize = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
  if (wideSize > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), wideSize);
  return wide;
}

std::string ToAnsi(const std::wstring& wide) {
  const int size = static_cast<int>(wide.size());
  const int ansiSize = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(ansiSize), '\0');
  if (ansiSize > 0) WideCharToMultiByte(CP_ACP, 0, wide.data(), size, ansi.data(), ansiSize, nullptr, nullptr);
  return ansi;
}

}  // namespace

std::string AnsiCaseMapping::Upper(std::string_view text) const {
  if (text.empty()) return {};
  std::wstring wide = ToWide(text);
  if (wide.empty()) return AsciiCaseMapping().Upper(text);
  // The same simple (file-system) casing that lstrcmpiA applies.
  const int size = static_cast<int>(wide.size());
  std::wstring upper(wide.size(), L'\0');
  if (LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, wide.data(), size, upper.data(), size) != size) {
    return AsciiCaseMapping().Upper(text);
  }
  return ToAnsi(upper);
}

}  // namespace tolvane
