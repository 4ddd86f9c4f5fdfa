#pragma once
// The log's two files on Windows: "<name>.log" and the previous "<name>.1.log"
// in one folder, written through handles that let others read, and rename,
// while the program runs (a second copy that starts and ends logs there too).
#include <windows.h>

#include <string>

#include "logging/log_file.h"

namespace tolvane {

class Win32LogFile final : public LogFile {
 public:
  Win32LogFile(std::wstring folder, const std::wstring& name);
  ~Win32LogFile() override;

  bool Open() override;
  std::uint64_t Size() const override;
  bool Append(std::string_view text) override;
  bool StartNew() override;
  void Close() override;

  const std::wstring& Path() const { return path_; }

 private:
  bool OpenFile(DWORD disposition);

  const std::wstring folder_;
  const std::wstring path_;
  const std::wstring previousPath_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  std::uint64_t size_ = 0;
};

// "2026-12-09 17:40:01.123 [  4512]": the local time and the thread's id.
class Win32LineStamp final : public LineStamp {
 public:
  std::string Stamp() override;
};

// %LOCALAPPDATA%\Tolvane, from the environment or, without it, the shell's
// local application data folder; empty when neither is known.
std::wstring LocalDataFolder();

// A wide path as UTF-8, for the log's lines.
std::string Utf8(const std::wstring& text);

}  // namespace tolvane
