#pragma once
// What the notification area shows as tooltips: the texts of the tools of
// every tooltip control that the shell's process (Wine's explorer) owns.
// The shell keeps one tool per icon with the icon's tip, so the tip that a
// program gave its icon is among them exactly when the shell took it.
//
// Tooltip messages carry pointers into the receiving process: the record and
// the text buffer are placed in the shell's memory and read back from it, in
// the shell's own layout (a 32-bit test may ask a 64-bit shell).
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace tolvane::testing {

// One tool of the shell's tooltips: its text and where on the screen it
// answers the mouse (an icon's slot).
struct ShellTool {
  std::wstring text;
  RECT screenRect{};
};

// The shell's process: the owner of the taskbar window; 0 when there is none.
DWORD ShellProcess();
std::vector<ShellTool> ShellTools(DWORD shellProcess);
std::vector<std::wstring> ShellTooltipTexts(DWORD shellProcess);
// Waits until the tip is among them; what was shown last in *shown.
bool WaitForShellTooltip(DWORD shellProcess, const std::wstring& tip, std::vector<std::wstring>* shown,
                         std::chrono::milliseconds deadline = std::chrono::seconds(20));
// The texts quoted, for a failure's message.
std::string Quoted(const std::vector<std::wstring>& texts);

}  // namespace tolvane::testing
