#include "shell_tooltips.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>

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

// A tooltip tool record (TTTOOLINFOW) as a process of the given pointer
// width lays it out: the shell may be 64-bit while this test is 32-bit.
template <class Pointer>
struct ToolRecord {
  UINT cbSize;
  UINT uFlags;
  Pointer hwnd;
  Pointer uId;
  RECT rect;
  Pointer hinst;
  Pointer lpszText;
  Pointer lParam;
  Pointer lpReserved;
};
static_assert(sizeof(ToolRecord<std::uint64_t>) == 72, "the 64-bit layout of TTTOOLINFOW");
static_assert(sizeof(ToolRecord<std::uint32_t>) == 48, "the 32-bit layout of TTTOOLINFOW");
static_assert(sizeof(ToolRecord<UINT_PTR>) == sizeof(TTTOOLINFOW), "this process's own layout");

// True when the shell's process is 64-bit.
bool Is64Bit(HANDLE process) {
  BOOL underWow64 = FALSE;
  BOOL selfUnderWow64 = FALSE;
  IsWow64Process(process, &underWow64);
  IsWow64Process(GetCurrentProcess(), &selfUnderWow64);
  // A 32-bit process on 64-bit Windows runs under WOW64; the system is
  // 64-bit when this program is, or runs under WOW64 itself.
  return !underWow64 && (sizeof(void*) == 8 || selfUnderWow64);
}

// A block of the shell's memory for one tool record followed by its text.
class RemoteBlock {
 public:
  explicit RemoteBlock(DWORD process)
      : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                             FALSE, process)) {
    if (process_ != nullptr) {
      base_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, kTextOffset + kTextChars * sizeof(wchar_t),
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
  HANDLE Process() const { return process_; }
  LPARAM Record() const { return reinterpret_cast<LPARAM>(base_); }
  // The text's address as the shell sees it (its memory is below 4 GB when
  // this program is 32-bit).
  std::uintptr_t Text() const { return reinterpret_cast<std::uintptr_t>(base_ + kTextOffset); }

  template <class Record>
  bool Write(const Record& record, bool clearText) {
    const wchar_t empty[kTextChars] = {};
    return WriteProcessMemory(process_, base_, &record, sizeof record, nullptr) &&
           (!clearText || WriteProcessMemory(process_, base_ + kTextOffset, empty, sizeof empty, nullptr));
  }
  template <class Record>
  bool Read(Record* record) const {
    return ReadProcessMemory(process_, base_, record, sizeof *record, nullptr) != FALSE;
  }
  std::wstring ReadText() const {
    wchar_t text[kTextChars] = {};
    if (!ReadProcessMemory(process_, base_ + kTextOffset, text, sizeof text, nullptr)) return {};
    text[kTextChars - 1] = L'\0';
    return text;
  }

 private:
  static constexpr std::size_t kTextOffset = sizeof(ToolRecord<std::uint64_t>);
  HANDLE process_;
  char* base_ = nullptr;
};

LRESULT Ask(HWND tooltip, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(tooltip, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) return 0;
  return static_cast<LRESULT>(result);
}

// Every tool of every tooltip control with its current text and where on the
// screen it answers the mouse, the records in the shell's own layout.
template <class Pointer>
void AppendTools(const std::vector<HWND>& tooltips, RemoteBlock& block, std::vector<ShellTool>* tools) {
  using Record = ToolRecord<Pointer>;
  for (const HWND tooltip : tooltips) {
    const auto count = static_cast<UINT>(Ask(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    for (UINT i = 0; i < count; ++i) {
      Record record{};
      record.cbSize = sizeof record;
      if (!block.Write(record, false) || !Ask(tooltip, TTM_ENUMTOOLSW, i, block.Record())) continue;
      if (!block.Read(&record)) continue;
      // The tool as enumerated, asked for its current text.
      record.cbSize = sizeof record;
      record.lpszText = static_cast<Pointer>(block.Text());
      if (!block.Write(record, true)) continue;
      Ask(tooltip, TTM_GETTEXTW, kTextChars, block.Record());
      ShellTool tool{block.ReadText(), record.rect};
      // Window handles are 32-bit values in either layout.
      const auto toolWindow = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(record.hwnd));
      MapWindowPoints(toolWindow, nullptr, reinterpret_cast<POINT*>(&tool.screenRect), 2);
      tools->push_back(std::move(tool));
    }
  }
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
  if (Is64Bit(block.Process())) {
    AppendTools<std::uint64_t>(search.tooltips, block, &tools);
  } else {
    AppendTools<std::uint32_t>(search.tooltips, block, &tools);
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
