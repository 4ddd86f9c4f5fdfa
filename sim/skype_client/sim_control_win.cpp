#include "sim_control_win.h"

namespace simskype {

std::string TranscriptEventName(const std::string& simulatorName) {
  return "SimSkype-" + simulatorName + "-transcript";
}

ControlResult SendControlCommand(const std::string& simulatorName, const std::string& command,
                                 UINT timeoutMs) {
  const HWND control = FindWindowA(kControlWindowClass, simulatorName.c_str());
  if (control == nullptr) return ControlResult::kNoSimulator;
  std::string text = command;
  COPYDATASTRUCT block{};
  block.dwData = kControlTag;
  block.cbData = static_cast<DWORD>(text.size() + 1);
  block.lpData = text.data();
  DWORD_PTR answer = 0;
  const LRESULT delivered = SendMessageTimeoutA(control, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&block),
                                                SMTO_ABORTIFHUNG, timeoutMs, &answer);
  if (delivered == 0) return IsWindow(control) ? ControlResult::kNoAnswer : ControlResult::kNoSimulator;
  return answer != 0 ? ControlResult::kAccepted : ControlResult::kRejected;
}

}  // namespace simskype
