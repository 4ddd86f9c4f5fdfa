#include "logging/diagnostic_log_win.h"

#include <shlobj.h>

#include <vector>

#include "common/windows_version.h"

namespace tolvane {

DiagnosticLog::DiagnosticLog(LogLevel level, std::wstring folder)
    : folder_(std::move(folder)), file_(folder_, L"Tolvane"), writer_(file_, stamp_, level) {}

DiagnosticLog::~DiagnosticLog() { Stop(); }

bool DiagnosticLog::Start() {
  if (installed_) return true;
  // The log's folder may be the first of its parents to be made.
  if (!folder_.empty()) SHCreateDirectoryExW(nullptr, folder_.c_str(), nullptr);
  if (!writer_.Start()) return false;
  SetLogSink(&writer_);
  installed_ = true;
  return true;
}

void DiagnosticLog::Stop() {
  if (installed_) SetLogSink(nullptr);
  installed_ = false;
  writer_.Stop();
}

int WINAPI LoggedMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  LogEvent("message box \"", caption, "\": ", text);
  return MessageBoxA(owner, text, caption, type);
}

void LogProgramStart(int level, const std::string& iniPath) {
  const std::wstring program = ModulePath(nullptr);
  LogEvent("Tolvane ", FileVersion(program), " started, log level ", level, "; Windows ", WindowsVersionText(),
           " (version class ", WindowsVersionCode(), ")");
  LogEvent("program ", Utf8(program));
  const bool found = GetFileAttributesA(iniPath.c_str()) != INVALID_FILE_ATTRIBUTES;
  LogEvent("settings file ", iniPath, found ? " found" : " not found: the product defaults apply");
}

void LogLibraryLoaded(const char* what, const char* moduleName) {
  if (!LogEnabled(LogLevel::kEvents)) return;
  const std::wstring path = ModulePath(GetModuleHandleA(moduleName));
  LogEvent(what, " loaded: ", Utf8(path), ", version ", FileVersion(path));
}

std::string FileVersion(const std::wstring& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  std::vector<char> data(size);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, data.data()) ||
      !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || info == nullptr) {
    return "no version";
  }
  return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
         std::to_string(HIWORD(info->dwFileVersionLS)) + "." + std::to_string(LOWORD(info->dwFileVersionLS));
}

std::wstring ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
  return std::wstring(path, length < MAX_PATH ? length : 0);
}

}  // namespace tolvane
