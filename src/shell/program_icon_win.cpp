#include "shell/program_icon_win.h"

#include "interfaces/resource_ids.h"

namespace tolvane {

HICON LoadProgramIcon(HINSTANCE instance, const std::string& path) {
  if (!path.empty()) {
    if (const HANDLE icon = LoadImageA(instance, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE)) {
      return static_cast<HICON>(icon);
    }
  }
  return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_ABOUT), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
}

}  // namespace tolvane
