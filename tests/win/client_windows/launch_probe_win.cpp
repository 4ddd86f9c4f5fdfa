// Started by the registry-start test: signals the test's named event and
// ends. Nothing else.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  HANDLE started = OpenEventA(EVENT_MODIFY_STATE, FALSE, "TolvaneLaunchProbeStarted");
  if (started == nullptr) return 1;
  SetEvent(started);
  CloseHandle(started);
  return 0;
}
