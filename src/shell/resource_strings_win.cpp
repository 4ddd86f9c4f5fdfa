#include "shell/resource_strings_win.h"

namespace tolvane {

std::string LoadResourceString(HINSTANCE instance, UINT id, std::string_view fallback) {
  // Long enough for every text of the string table; LoadStringA cuts rather
  // than overruns.
  char text[512] = {};
  const int length = LoadStringA(instance, id, text, static_cast<int>(sizeof text));
  if (length <= 0) return std::string(fallback);
  return std::string(text, static_cast<std::size_t>(length));
}

}  // namespace tolvane
