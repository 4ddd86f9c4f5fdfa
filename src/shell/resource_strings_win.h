#pragma once
// Texts from the program's string table. Every caller names the text it
// falls back on, so that a module without the resources (a test program, a
// stripped build) still works with the product's own texts.
#include <windows.h>

#include <string>
#include <string_view>

namespace tolvane {

std::string LoadResourceString(HINSTANCE instance, UINT id, std::string_view fallback);

}  // namespace tolvane
