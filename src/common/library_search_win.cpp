#include "common/library_search_win.h"

namespace tolvane {

namespace {

// Windows 7 before its 2011 loader update has neither the function nor the
// search flags: both are looked up, and the older way taken without them.
using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD flags);

SetDefaultDllDirectoriesFn FindSetDefaultDllDirectories() {
  const HMODULE kernel = GetModuleHandleA("kernel32.dll");
  if (kernel == nullptr) return nullptr;
  FARPROC address = GetProcAddress(kernel, "SetDefaultDllDirectories");
  return reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void (*)()>(address));
}

bool IsAbsolute(const char* path) {
  return (path[0] == '\\' && path[1] == '\\') || (path[0] != '\0' && path[1] == ':');
}

}  // namespace

void RestrictLibrarySearch() {
  if (const SetDefaultDllDirectoriesFn restrict = FindSetDefaultDllDirectories()) {
    restrict(LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  // An empty string (not null) also drops the working folder.
  SetDllDirectoryA("");
}

std::string BesideProgram(const char* fileName) {
  if (IsAbsolute(fileName)) return fileName;
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length < MAX_PATH ? length : 0);
  folder.resize(folder.find_last_of('\\') + 1);  // npos + 1 = 0: no folder
  return folder + fileName;
}

HMODULE LoadLibraryBesideProgram(const char* fileName) {
  const std::string path = BesideProgram(fileName);
  // A relative path here would be searched for after all.
  if (!IsAbsolute(path.c_str())) return nullptr;
  HMODULE module =
      LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
    // A loader without the search flags: the library's own folder first.
    module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  return module;
}

}  // namespace tolvane
