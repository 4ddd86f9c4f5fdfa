#include "shell/skype_windows.h"

namespace tolvane {
namespace {

// Class names are ASCII; a byte outside ASCII letters must match exactly.
bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

void SkypeChildWindows::Reset() {
  pageControlWindow.store(nullptr);
  bgGridWindow.store(nullptr);
  contactListWindow.store(nullptr);
}

void SkypeChildWindows::Take(WindowHandle window, std::string_view className) {
  std::atomic<WindowHandle>* slot = nullptr;
  if (EqualIgnoringCase(className, kSkypePageControlClass)) {
    slot = &pageControlWindow;
  } else if (EqualIgnoringCase(className, kSkypeBgGridClass)) {
    slot = &bgGridWindow;
  } else if (EqualIgnoringCase(className, kSkypeContactListClass)) {
    slot = &contactListWindow;
  }
  if (slot == nullptr) return;
  WindowHandle none = nullptr;
  slot->compare_exchange_strong(none, window);
}

SkypeChildWindows& ProcessSkypeChildWindows() {
  static SkypeChildWindows windows;
  return windows;
}

}  // namespace tolvane
