#include "fontlib/ansi_code_page_win.h"

#include <windows.h>

#include <climits>
#include <string>

#include "fontlib/handset_text.h"

namespace tolvane::fontlib {
namespace {

// The conversion functions count in int; the library's texts are far shorter.
int ClampedLength(std::size_t size) {
  return size > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(size);
}

}  // namespace

std::u16string AnsiCodePage::Decode(std::string_view local) const {
  if (local.empty()) return {};
  const int length = ClampedLength(local.size());
  const int units = MultiByteToWideChar(CP_ACP, 0, local.data(), length, nullptr, 0);
  if (units <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, local.data(), length, wide.data(), units);
  return std::u16string(wide.begin(), wide.end());
}

std::string AnsiCodePage::EncodeCharacter(std::u16string_view character) const {
  const std::wstring wide(character.begin(), character.end());
  const int length = ClampedLength(wide.size());
  // Characters the code page lacks come back as its default character.
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string(1, kUnshownCharacter);
  std::string local(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), length, local.data(), bytes, nullptr, nullptr);
  return local;
}

}  // namespace tolvane::fontlib
