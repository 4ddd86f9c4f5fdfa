// The idle benchmark's floor: a Win32 program that does nothing but wait in
// its message loop with one hidden window, so that what Wine's own threads
// cost a process that sleeps can be told from what a program adds.
#include <windows.h>

namespace {

LRESULT CALLBACK FloorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = FloorProcedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "TolvaneIdleFloor";
  if (RegisterClassA(&windowClass) == 0) return 1;
  if (CreateWindowExA(0, windowClass.lpszClassName, "idle floor", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                      nullptr, instance, nullptr) == nullptr) {
    return 1;
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
