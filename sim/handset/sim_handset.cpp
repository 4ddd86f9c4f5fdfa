#include "sim_handset.h"

#include <cstdio>
#include <cstdlib>

#include "device_notices_win.h"
#include "sim_handset_client.h"

namespace simhandset {

namespace {

constexpr UINT kReportMessage = tolvane::kHandsetReportMessage;
constexpr std::uint32_t kDisplayRequestKey = 90;
constexpr const char* kDefaultPipe = "\\\\.\\pipe\\tolvane-sim-handset";

std::string Environment(const char* name) {
  char value[MAX_PATH];
  DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

std::string FolderOf(HMODULE module) {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(module, path, sizeof path);
  std::string folder(path, length < sizeof path ? length : 0);
  std::size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
}

}  // namespace

SimConfig SimConfig::FromEnvironment(HMODULE library) {
  SimConfig config;
  std::string folder = Environment("TOLVANE_SIM_HANDSET_DIR");
  if (folder.empty()) folder = FolderOf(library);
  config.transcriptPath = folder + "\\transcript.txt";
  config.pipeName = Environment("TOLVANE_SIM_HANDSET_PIPE");
  if (config.pipeName.empty()) config.pipeName = kDefaultPipe;
  config.plugged = Environment("TOLVANE_SIM_HANDSET_PLUGGED") != "0";
  config.window = Environment("TOLVANE_SIM_HANDSET_WINDOW") == "1";
  config.autoDisplay = Environment("TOLVANE_SIM_HANDSET_AUTODISPLAY") == "1";
  return config;
}

SimHandset::SimHandset(const SimConfig& config, HMODULE library)
    : library_(library),
      transcript_(config.transcriptPath, TranscriptEventName(config.pipeName)),
      plugged_(config.plugged),
      autoDisplay_(config.autoDisplay) {
  transcript_.Write("created " + std::string(plugged_ ? "plugged" : "unplugged") + ", control pipe " +
                    config.pipeName);
  if (config.window) SetWindowShown(true);
  pipe_ = std::make_unique<ControlPipe>(
      config.pipeName, [this](const std::string& command) { return Execute(command); },
      [this](const std::string& entry) { transcript_.Write(entry); });
}

SimHandset::~SimHandset() {
  // The pipe first: a command it is serving may open or close the window.
  pipe_.reset();
  SetWindowShown(false);
  transcript_.Write("deleted");
}

HandsetView SimHandset::View() {
  std::lock_guard<std::mutex> hold(lock_);
  return {display_.Screen(), indicators_, plugged_, opened_, window_ != nullptr, keys_.Next()};
}

void SimHandset::Redraw() {
  std::lock_guard<std::mutex> hold(handsetWindowLock_);
  if (handsetWindow_ != nullptr) handsetWindow_->Redraw();
}

std::string SimHandset::SetWindowShown(bool shown) {
  std::unique_ptr<HandsetWindow> closing;
  {
    std::lock_guard<std::mutex> hold(handsetWindowLock_);
    if (shown && handsetWindow_ == nullptr) {
      handsetWindow_ = std::make_unique<HandsetWindow>(
          library_, [this] { return View(); }, [this](const std::string& command) { return Execute(command); });
      if (!handsetWindow_->Shown()) {
        handsetWindow_.reset();
        return "error cannot create the window";
      }
    } else if (!shown) {
      closing = std::move(handsetWindow_);
    }
  }
  // Joined outside the lock: until it has ended, the window's thread may
  // still be sending a command that redraws.
  closing.reset();
  return "ok";
}

int SimHandset::CloseDevice() {
  std::lock_guard<std::mutex> hold(lock_);
  opened_ = false;
  window_ = nullptr;
  transcript_.Write("CloseDevice");
  Redraw();
  return 0;
}

int SimHandset::OpenDevice() {
  std::lock_guard<std::mutex> hold(lock_);
  opened_ = plugged_;
  transcript_.Write(opened_ ? "OpenDevice 0" : "OpenDevice 1");
  Redraw();
  return opened_ ? 0 : 1;
}

int SimHandset::ShutdownDevice() {
  std::lock_guard<std::mutex> hold(lock_);
  opened_ = false;
  window_ = nullptr;
  transcript_.Write("ShutdownDevice");
  return 0;
}

int SimHandset::StartDevice(tolvane::WindowHandle notify) {
  std::lock_guard<std::mutex> hold(lock_);
  const bool started = opened_ && !startFails_ && notify != nullptr;
  if (started) window_ = static_cast<HWND>(notify);
  transcript_.Write(started ? "StartDevice 0" : "StartDevice 1");
  Redraw();
  return started ? 0 : 1;
}

int SimHandset::AbortStart() {
  std::lock_guard<std::mutex> hold(lock_);
  window_ = nullptr;
  transcript_.Write("AbortStart");
  return 0;
}

int SimHandset::SendCode(std::uint8_t code) {
  bool askForScreen = false;
  bool opened = false;
  {
    std::lock_guard<std::mutex> hold(lock_);
    transcript_.Write("SendCode " + std::to_string(code));
    opened = opened_;
    if (opened) indicators_.Apply(code);
    askForScreen = opened && autoDisplay_ && indicators_.screenReady != 0;
  }
  Redraw();
  // As a handset does when told a screen is ready: it asks for it.
  if (askForScreen) DisplayRequest(kDisplayRequestKey);
  return opened ? 0 : 1;
}

int SimHandset::SendDisplayChar(int code, int parameter) {
  {
    std::lock_guard<std::mutex> hold(lock_);
    transcript_.Write("SendDisplayChar " + std::to_string(code) + " " + std::to_string(parameter));
    if (!opened_) return 1;
    if (display_.Feed(code, parameter)) transcript_.Write("screen " + display_.Screen().Describe());
  }
  Redraw();
  return 0;
}

int SimHandset::WriteDeviceSetting(int a, int b, int c) {
  std::lock_guard<std::mutex> hold(lock_);
  transcript_.Write("WriteDeviceSetting " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c));
  return opened_ ? 0 : 1;
}

int SimHandset::SetDisplayRenderer(tolvane::DisplayRenderer* renderer) {
  transcript_.Write(renderer != nullptr ? "SetDisplayRenderer set" : "SetDisplayRenderer null");
  return 0;
}

std::string SimHandset::Post(std::uint32_t wParam, LPARAM lParam) {
  HWND window = nullptr;
  {
    std::lock_guard<std::mutex> hold(lock_);
    window = window_;
  }
  if (window == nullptr) return "error not started";
  char entry[96];
  std::snprintf(entry, sizeof entry, "post 0x%X wParam=0x%lX lParam=%lld", kReportMessage,
                static_cast<unsigned long>(wParam), static_cast<long long>(lParam));
  transcript_.Write(entry);
  if (!PostMessageA(window, kReportMessage, wParam, lParam)) return "error post failed";
  Redraw();
  return "ok";
}

std::string SimHandset::KeyReport(std::uint32_t key, std::uint32_t flags, bool advance) {
  std::uint32_t report = 0;
  {
    std::lock_guard<std::mutex> hold(lock_);
    if (window_ == nullptr) return "error not started";
    report = (flags << 16) | ((key & 0xFFu) << 8) | (advance ? keys_.Take() : keys_.Next());
    lastKeyReport_ = report;
    sentKeyReport_ = true;
  }
  return Post(report, 0);
}

std::string SimHandset::Again() {
  std::uint32_t report = 0;
  {
    std::lock_guard<std::mutex> hold(lock_);
    if (!sentKeyReport_) return "error no key report sent yet";
    report = lastKeyReport_;
  }
  return Post(report, 0);
}

std::string SimHandset::DisplayRequest(std::uint32_t key) {
  std::uint32_t sequence = 0;
  {
    std::lock_guard<std::mutex> hold(lock_);
    sequence = 4 + displaySequence_;
    displaySequence_ = (displaySequence_ + 1) % 4;
    indicators_.screenReady = 0;
  }
  return Post((key << 8) | sequence, 0);
}

std::string SimHandset::SetPlugged(bool plugged, bool notify) {
  {
    std::lock_guard<std::mutex> hold(lock_);
    plugged_ = plugged;
    if (!plugged) {
      opened_ = false;
      window_ = nullptr;
    }
  }
  transcript_.Write(plugged ? "plug" : "unplug");
  Redraw();
  // Outside the lock: the windows told may call the library while they
  // handle the notice.
  if (notify) BroadcastDeviceNotices(plugged);
  return "ok";
}

}  // namespace simhandset
