// Tolvane.exe's entry point. The command line and the show command are not
// used; everything else is in the Application.
#include <windows.h>

#include "common/library_search_win.h"
#include "shell/application_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // Before anything can load a library.
  tolvane::RestrictLibrarySearch();
  return tolvane::RunApplication(instance);
}
