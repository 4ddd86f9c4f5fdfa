#include "logging/log_file_win.h"

#include <shlobj.h>

#include <cstdio>
#include <utility>

namespace tolvane {

Win32LogFile::Win32LogFile(std::wstring folder, const std::wstring& name)
    : folder_(std::move(folder)),
      path_(folder_ + L"\\" + name + L".log"),
      previousPath_(folder_ + L"\\" + name + L".1.log") {}

Win32LogFile::~Win32LogFile() { Close(); }

bool Win32LogFile::Open() {
  if (folder_.empty()) return false;
  // An existing folder is fine; any other failure shows at the file.
  CreateDirectoryW(folder_.c_str(), nullptr);
  return OpenFile(OPEN_ALWAYS);
}

bool Win32LogFile::OpenFile(DWORD disposition) {
  Close();
  handle_ = CreateFileW(path_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle_ == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  size_ = GetFileSizeEx(handle_, &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
  return true;
}

std::uint64_t Win32LogFile::Size() const { return size_; }

bool Win32LogFile::Append(std::string_view text) {
  if (handle_ == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  if (!WriteFile(handle_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
      written != text.size()) {
    return false;
  }
  size_ += written;
  return true;
}

bool Win32LogFile::StartNew() {
  Close();
  if (!MoveFileExW(path_.c_str(), previousPath_.c_str(), MOVEFILE_REPLACE_EXISTING)) return false;
  return OpenFile(CREATE_ALWAYS);
}

void Win32LogFile::Close() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
  size_ = 0;
}

std::string Win32LineStamp::Stamp() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char text[48];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u [%6lu]", now.wYear, now.wMonth, now.wDay,
                now.wHour, now.wMinute, now.wSecond, now.wMilliseconds, GetCurrentThreadId());
  return text;
}

std::wstring LocalDataFolder() {
  wchar_t base[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", base, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base))) return {};
  }
  return std::wstring(base) + L"\\Tolvane";
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) {
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), length, nullptr, nullptr);
  }
  return utf8;
}

}  // namespace tolvane
