#include "shell_tooltips.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>

#include "tray_support.h"

namespace tolvane::testing {
namespace {

constexpr std::size_t kTextChars = 128;  // a tip's limit, with its terminator

struct Search {
  DWORD process = 0;
  std::vector<HWND> tooltips;
};

BOOL CALLBACK CollectTooltips(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == search->process && std::string(name) == TOOLTIPS_CLASSA) search->tooltips.push_back(window);
  return TRUE;
}

// A block of the shell's memory for one tool record followed by its text.
class RemoteBlock {
 public:
  explicit RemoteBlock(DWORD process)
      : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process)) {
    if (process_ != nullptr) {
      base_ = static_cast<char*>(
          VirtualAllocEx(process_, nullptr, sizeof(TTTOOLINFOW) + kTextChars * sizeof(wchar_t),
                         MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;
  ~RemoteBlock() {
    if (base_ != nullptr) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
    if (process_ != nullptr) CloseHandle(process_);
  }

  bool Usable() const { return base_ != nullptr; }
  LPARAM Record() const { return reinterpret_cast<LPARAM>(base_); }
  wchar_t* Text() const { return reinterpret_cast<wchar_t*>(base_ + sizeof(TTTOOLINFOW)); }

  bool Write(const TTTOOLINFOW& info, bool clearText) {
    const wchar_t empty[kTextChars] = {};
    return WriteProcessMemory(process_, base_, &info, sizeof info, nullptr) &&
           (!clearText || WriteProcessMemory(process_, Text(), empty, sizeof empty, nullptr));
  }
  bool ReadRecord(TTTOOLINFOW* info) const {
    return ReadProcessMemory(process_, base_, info, sizeof *info, nullptr) != FALSE;
  }
  std::wstring ReadText() const {
    wchar_t text[kTextChars] = {};
    if (!ReadProcessMemory(process_, Text(), text, sizeof text, nullptr)) return {};
    text[kTextChars - 1] = L'\0';
    return text;
  }

 private:
  HANDLE process_;
  char* base_ = nullptr;
};

LRESULT Ask(HWND tooltip, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(tooltip, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) return 0;
  return static_cast<LRESULT>(result);
}

}  // namespace

DWORD ShellProcess() {
  const HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
  DWORD process = 0;
  if (taskbar != nullptr) GetWindowThreadProcessId(taskbar, &process);
  return process;
}

std::vector<ShellTool> ShellTools(DWORD shellProcess) {
  std::vector<ShellTool> tools;
  Search search{shellProcess, {}};
  EnumWindows(&CollectTooltips, reinterpret_cast<LPARAM>(&search));
  RemoteBlock block(shellProcess);
  if (!block.Usable()) return tools;
  for (const HWND tooltip : search.tooltips) {
    const auto count = static_cast<UINT>(Ask(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    for (UINT i = 0; i < count; ++i) {
      TTTOOLINFOW info{};
      info.cbSize = sizeof info;
      if (!block.Write(info, false) || !Ask(tooltip, TTM_ENUMTOOLSW, i, block.Record())) continue;
      if (!block.ReadRecord(&info)) continue;
      // The tool as enumerated, asked for its current text.
      info.cbSize = sizeof info;
      info.lpszText = block.Text();
      if (!block.Write(info, true)) continue;
      Ask(tooltip, TTM_GETTEXTW, kTextChars, block.Record());
      ShellTool tool{block.ReadText(), info.rect};
      MapWindowPoints(info.hwnd, nullptr, reinterpret_cast<POINT*>(&tool.screenRect), 2);
      tools.push_back(std::move(tool));
    }
  }
  return tools;
}

std::vector<std::wstring> ShellTooltipTexts(DWORD shellProcess) {
  std::vector<std::wstring> texts;
  for (ShellTool& tool : ShellTools(shellProcess)) texts.push_back(std::move(tool.text));
  return texts;
}

bool WaitForShellTooltip(DWORD shellProcess, const std::wstring& tip, std::vector<std::wstring>* shown,
                         std::chrono::milliseconds deadline) {
  return PollUntil(
      deadline,
      [&] {
        *shown = ShellTooltipTexts(shellProcess);
        return std::find(shown->begin(), shown->end(), tip) != shown->end();
      },
      std::chrono::milliseconds(100));
}

std::string Quoted(const std::vector<std::wstring>& texts) {
  std::string all;
  for (const std::wstring& text : texts) all += " \"" + Utf8(text) + "\"";
  return all.empty() ? std::string(" nothing") : all;
}

}  // namespace tolvane::testing
