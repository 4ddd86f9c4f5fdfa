// A file named QorHIDCtrl.dll in a folder Tolvane must never load from (the
// working folder, a folder on PATH). Loading it leaves a mark beside it.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(self, path, MAX_PATH);
    std::string mark(path);
    mark.resize(mark.find_last_of('\\') + 1);
    mark += "decoy-loaded.txt";
    const HANDLE file = CreateFileA(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  return TRUE;
}
