#include "handset/handset_control.h"

#include <chrono>
#include <utility>

#include "common/log.h"
#include "interfaces/handset_codes.h"
#include "interfaces/handset_mode.h"
#include "interfaces/level_control.h"
#include "interfaces/display_renderer.h"
#include "protocol/command_kind.h"
#include "interfaces/i_skype_link.h"

namespace tolvane {

namespace {

// The library's operations return 0 for success; the wrappers say 1.
int Succeeded(int libraryResult) { return libraryResult == 0 ? 1 : 0; }

}  // namespace

HandsetControl::HandsetControl(std::unique_ptr<HandsetLibrary> library) : library_(std::move(library)) {}

HandsetControl::~HandsetControl() {
  StopThreads();
  reportQueue_.Clear();
  // Releasing the holder shuts the device down and unloads the library, now
  // that no thread of ours can call into it any more.
  library_.reset();
}

void HandsetControl::SetPorts(const Ports& ports) {
  transport_.store(ports.transport);
  link_.store(ports.link);
  speaker_.store(ports.speaker);
  microphone_.store(ports.microphone);
  phoneState_.store(ports.phoneState);
  contactList_.store(ports.contactList);
  pacing_.store(ports.pacing != nullptr ? ports.pacing : &ownPacing_);
  windows_.store(ports.windows);
  threads_.store(ports.threads != nullptr ? ports.threads : &DefaultThreadStarter());
}

void HandsetControl::WriteMode(std::uint32_t set, std::uint32_t keep) {
  constexpr std::uint32_t kScreenBits = kModeDuration | kModeHandleText | kModeRenderedText;
  const ModeWord prepared = (set & kScreenBits) != 0 ? ModeWord{1} << 32 : 0;
  ModeWord word = modeWord_.load();
  ModeWord next = 0;
  do {
    next = ((word & ~ModeWord{0xFFFFFFFF}) + prepared) | ((ModeOf(word) & keep) | set);
  } while (!modeWord_.compare_exchange_weak(word, next));
}

void HandsetControl::Pause(int milliseconds) { pacing_.load()->Wait(std::chrono::milliseconds(milliseconds)); }

QorHidCtrl* HandsetControl::Library() const { return library_ ? library_->Instance() : nullptr; }

int HandsetControl::CloseDevice() {
  QorHidCtrl* lib = Library();
  return lib != nullptr ? Succeeded(lib->CloseDevice()) : 0;
}

int HandsetControl::OpenDevice() {
  QorHidCtrl* lib = Library();
  const int opened = lib != nullptr ? Succeeded(lib->OpenDevice()) : 0;
  LogEvent(opened != 0 ? "handset opened" : "no handset to open");
  return opened;
}

int HandsetControl::StartDevice(WindowHandle notifyWindow) {
  QorHidCtrl* lib = Library();
  const int started = lib != nullptr ? Succeeded(lib->StartDevice(notifyWindow)) : 0;
  LogEvent(started != 0 ? "handset started" : "the handset would not start");
  return started;
}

int HandsetControl::AbortStart() {
  QorHidCtrl* lib = Library();
  return lib != nullptr ? Succeeded(lib->AbortStart()) : 0;
}

int HandsetControl::SendCode(std::uint8_t code) {
  // The handset acts on codes at once and nobody can do anything about a
  // lost one, so callers are always told it went.
  LogDetail("handset code ", code);
  if (QorHidCtrl* lib = Library()) lib->SendCode(code);
  return 1;
}

int HandsetControl::SendDisplayChar(int code, int parameter) {
  QorHidCtrl* lib = Library();
  return lib != nullptr ? Succeeded(lib->SendDisplayChar(code, parameter)) : 0;
}

int HandsetControl::WriteDeviceSetting(int a, int b, int c) {
  QorHidCtrl* lib = Library();
  return lib != nullptr ? Succeeded(lib->WriteDeviceSetting(a, b, c)) : 0;
}

int HandsetControl::SetDisplayRenderer(DisplayRenderer* renderer) {
  renderer_.store(renderer);
  QorHidCtrl* lib = Library();
  return lib != nullptr ? Succeeded(lib->SetDisplayRenderer(renderer)) : 0;
}

int HandsetControl::ApplyAgcSetting() {
  return WriteDeviceSetting(14, 128, settings_.SupportAGC.load() != 0 ? 72 : 8);
}

void HandsetControl::QueueReport(std::uint32_t wParam, std::intptr_t lParam) {
  if (lParam == kReportIgnored) return;
  reportQueue_.Push(wParam);
}

int HandsetControl::ClearReports() {
  // The report thread gets a moment to finish the report it has taken;
  // the ones still waiting are dropped.
  Pause(10);
  reportQueue_.Clear();
  return 1;
}

int HandsetControl::StartReportThread() {
  if (reportThread_.joinable()) return 1;
  indicatorStop_.store(0);
  indicatorRunning_.store(0);
  reportThreadRun_.store(1);
  if (threads_.load()->Start(reportThread_, "report", [this] { ReportThreadMain(); })) return 1;
  reportThreadRun_.store(0);
  return 0;
}

void HandsetControl::ReportThreadMain() {
  while (std::optional<std::uint32_t> report = reportQueue_.WaitPop(reportThreadRun_)) {
    ProcessReport(*report);
  }
}

void HandsetControl::StopThreads() {
  {
    std::lock_guard<std::mutex> hold(indicatorLock_);
    indicatorClosed_ = true;
  }
  reportThreadRun_.store(0);
  reportQueue_.Wake();
  // A screen being streamed ends after its current character; its pauses
  // end at once.
  StopIndicatorAsync();
  ownPacing_.Cancel();
  if (reportThread_.joinable()) reportThread_.join();
  // The report thread was the only one to start indicators: the one taken
  // out here is the last. It takes the lock as it ends, so it is joined
  // outside it.
  std::thread indicator;
  {
    std::lock_guard<std::mutex> hold(indicatorLock_);
    indicator = std::move(indicatorThread_);
  }
  if (indicator.joinable()) indicator.join();
}

void HandsetControl::ProcessReport(std::uint32_t report) {
  const KeyRecord key = SplitReport(report);
  LogDetail("handset report: key ", key.key, ", number ", key.sequence);
  const std::uint32_t mode = Mode();
  const bool browsing = (mode & (kModeBrowseContacts | kModeBrowseHistory)) != 0;
  // The flag is taken for this report alone, as the turn begins: a session
  // that sets it while this report is handled (before it tells the handset
  // to number afresh) means the handset's next report.
  bool acceptAny = acceptAnySequence_.exchange(0) != 0;
  // Browsing and identification reports may arrive out of turn (the handset
  // renumbers after a mode change or a reset); take them whatever their number.
  if ((browsing && (key.key == kKeySend || key.key == kKeyBrowseHistory)) || key.key == kKeyIdentifyWithDisplay ||
      key.key == kKeyIdentifyWithoutDisplay) {
    acceptAny = true;
  }

  if (key.sequence == expectedSequence_ || acceptAny) {
    expectedSequence_ = static_cast<std::uint8_t>((key.sequence + 1) % 4);
    HandleAcceptedReport(key);
  } else if (key.sequence >= 4 && key.sequence <= 7) {
    HandleDisplayRequest(key);
  }
  // Out-of-turn key reports (0-3) are repeats of one already handled: dropped.
}

void HandsetControl::HandleAcceptedReport(const KeyRecord& key) {
  switch (key.key) {
    case kKeyIgnored1:
    case kKeyIgnored2:
    case kKeyIgnored66:
    case kKeyIgnored67:
    case kKeyDisplayRequest:
      return;
    case kKeyIdentifyWithDisplay:
    case kKeyIdentifyWithoutDisplay:
      HandleIdentification(key);
      return;
    case kKeyBrowsePrevious:
    case kKeyBrowseNext:
    case kKeyBrowseShowEntry:
      HandleBrowseReport(key);
      return;
    default:
      break;
  }
  LogEvent("handset key ", key.key, keysEnabled_.load() == 0 ? " dropped: the session is not set up" : "");
  if (keysEnabled_.load() == 0) return;
  const int result = DispatchKey(key);
  if (key.key != kKeyStopIndicator && result != 5) Acknowledge(key);
}

void HandsetControl::HandleDisplayRequest(const KeyRecord& key) {
  const std::uint32_t mode = Mode();
  if ((mode & (kModeRenderedText | kModeHandleText)) != 0) {
    if (key.key == kKeyDisplayRequest) {
      StartIndicatorThread();
    } else {
      SendCode(static_cast<std::uint8_t>(kRefuseBase + key.sequence));
    }
  } else if ((mode & kModeDuration) != 0) {
    StartIndicatorThread();
  }
}

void HandsetControl::HandleIdentification(const KeyRecord& key) {
  Pause(20);
  ApplyAgcSetting();
  Pause(10);
  if (LevelControl* speaker = speaker_.load()) speaker->SetFaderValue(kFaderSetLevel, settings_.Reg04Value.load());
  if (LevelControl* mic = microphone_.load()) mic->SetFaderValue(kFaderSetLevel, settings_.Reg1CValue.load());
  const int display = key.key == kKeyIdentifyWithDisplay ? 1 : 0;
  hasDisplay_.store(display);
  LogEvent("handset identified ", display != 0 ? "with a display" : "without a display");
  ISkypeLink* link = link_.load();
  if (link != nullptr) link->SetHandsetAttached(display);
  SendCode(settings_.SupportEnableKeyTone.load() != 0 ? kCodeKeyToneOn : kCodeKeyToneOff);
  Pause(5);
  handsetConnected_.store(1);
  if (link == nullptr) return;
  link->UpdateStatusTip();
  if (display != 0) {
    link->ShowMissedCalls(1);
  } else {
    link->SendCommand(kCmdGetUserStatus, nullptr, 0);
    link->SendCommand(kCmdGetConnStatus, nullptr, 0);
  }
}

void HandsetControl::Acknowledge(const KeyRecord& key) {
  SendCode(static_cast<std::uint8_t>(kAckBase + key.sequence));
}

bool HandsetControl::StopIndicatorAsync() {
  std::lock_guard<std::mutex> hold(indicatorLock_);
  if (!indicatorStoppable_) return false;
  indicatorStop_.store(1);
  if (DisplayRenderer* renderer = renderer_.load()) renderer->CancelDisplay(1);
  return true;
}

}  // namespace tolvane
