#pragma once
// The program's diagnostic log: "Tolvane.log" (and the previous
// "Tolvane.1.log") in %LOCALAPPDATA%\Tolvane, written by the log's own
// thread. The shell owns it, starts it first and stops it last, after every
// other thread has been joined.
#include <windows.h>

#include <string>

#include "common/log.h"
#include "logging/log_file_win.h"
#include "logging/log_writer.h"

namespace tolvane {

class DiagnosticLog {
 public:
  DiagnosticLog(LogLevel level, std::wstring folder);
  DiagnosticLog(const DiagnosticLog&) = delete;
  DiagnosticLog& operator=(const DiagnosticLog&) = delete;
  ~DiagnosticLog();  // Stop()

  // Starts the writer and makes it the program's log. False when the log is
  // off: level 0, or a folder or file that cannot be written.
  bool Start();
  // Writes what is left and ends the writer's thread. Idempotent.
  void Stop();

  const std::wstring& Folder() const { return folder_; }

 private:
  const std::wstring folder_;
  Win32LogFile file_;
  Win32LineStamp stamp_;
  LogWriter writer_;
  bool installed_ = false;
};

// MessageBoxA that first writes the box's caption and text to the log.
int WINAPI LoggedMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// The first lines of a run: the program's version, the system, the program's
// folder and the settings file.
void LogProgramStart(int level, const std::string& iniPath);
// "<what> loaded: <path>, version <a.b.c.d>" for a module the process holds.
void LogLibraryLoaded(const char* what, const char* moduleName);

// The version resource of a file as "a.b.c.d"; "no version" without one.
std::string FileVersion(const std::wstring& path);
// The full path of a loaded module (null: the program itself).
std::wstring ModulePath(HMODULE module);

}  // namespace tolvane
