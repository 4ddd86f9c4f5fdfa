#pragma once
// HandsetControl: the one object that stands for the handset. It owns the
// handset-control library's instance, holds the handset settings and the
// display-mode word, queues the handset's reports for its report thread and
// turns keys into commands for the Skype client.
//
// Lifetime: the program keeps one static HandsetControl, constructed with the
// loaded library before the entry point runs. Start-up attaches the ports
// (SetPorts), hands over the renderer, opens and starts the device and starts
// the report thread. The destructor stops and joins the threads, discards the
// queued reports and then releases the library (which shuts the device down
// and unloads it).
//
// Threads: the main window queues reports and, on removal, runs the hook-down
// key; the report thread dispatches keys and starts the indicator thread,
// which streams one prepared screen to the handset; the session's threads
// run the FOCUS key, send codes and, through WaitDisplayIdle, stop the
// indicator and wait for its end. The flags they share are atomic words,
// changed only through the operations below. Key commands and browse steps
// run one at a time (keyLock_): each reads the calls, decides and sends as
// one step, so that the main window's hook-down and the report thread's
// keys cannot interleave. The lock is never held while the indicator is
// waited for.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "common/abi.h"
#include "common/thread_starter.h"
#include "handset/handset_library.h"
#include "handset/handset_report.h"
#include "handset/report_queue.h"
#include "common/action_delay.h"
#include "interfaces/i_handset_control.h"

namespace tolvane {

class ClientTransport;
class ClientWindows;
class DisplayRenderer;
class IContactList;
class IPhoneState;
class ISkypeLink;
class LevelControl;

class HandsetControl final : public IHandsetControl {
 public:
  // What the object reaches outside the handset. All are set by start-up
  // before the report thread runs and stay alive until the object is
  // destroyed (its destructor joins the threads that use them).
  struct Ports {
    ClientTransport* transport = nullptr;  // the wire to the client (key commands)
    ISkypeLink* link = nullptr;            // the session (rediscover, status, queued commands)
    LevelControl* speaker = nullptr;       // null: levels are left alone
    LevelControl* microphone = nullptr;    // null: levels are left alone
    IPhoneState* phoneState = nullptr;     // null: history screens show no entry
    IContactList* contactList = nullptr;   // null: contact screens show no entry
    ActionDelay* pacing = nullptr;         // null: real time
    ClientWindows* windows = nullptr;      // null: the client's windows are left alone
    ThreadStarter* threads = nullptr;      // null: std::thread (the report and indicator threads)
  };

  // `library` may be null or hold no instance (the load failed and the user
  // was told); the wrappers then report failure.
  explicit HandsetControl(std::unique_ptr<HandsetLibrary> library);
  HandsetControl(const HandsetControl&) = delete;
  HandsetControl& operator=(const HandsetControl&) = delete;
  ~HandsetControl();

  void SetPorts(const Ports& ports);

  // Library wrappers: 1 for success, 0 for failure (or no library).
  int CloseDevice() override;
  int OpenDevice() override;
  int StartDevice(WindowHandle notifyWindow) override;
  int AbortStart() override;
  int SendCode(std::uint8_t code) override;
  int SetDisplayRenderer(DisplayRenderer* renderer);

  // Report queue. QueueReport drops reports the library marked with lParam -1;
  // the main window handles the two volume bits before it calls this.
  void QueueReport(std::uint32_t wParam, std::intptr_t lParam);
  int ClearReports() override;  // pauses 10 ms, then empties the queue; returns 1
  int StartReportThread();  // 1 started (or already running), 0 failed

  // Builds and sends the client command of one key code: 0 when a command was
  // due but could not be sent (empty text, or the client refused it, which
  // also restarts the session with a rediscover), 1 otherwise.
  int ExecuteKeyCommand(int code) override;

  // IHandsetControl.
  std::uint32_t Mode() const override { return ModeOf(modeWord_.load()); }
  void SetMode(std::uint32_t mode) override { WriteMode(mode, 0); }
  void AddModeBits(std::uint32_t bits) override { WriteMode(bits, ~std::uint32_t{0}); }
  HandsetSettings& Settings() override { return settings_; }
  bool IsConnected() const override { return handsetConnected_.load() == 1; }
  void SetConnected(bool connected) override { handsetConnected_.store(connected ? 1 : 0); }
  void EnableKeys(bool enabled) override { keysEnabled_.store(enabled ? 1 : 0); }
  void AcceptAnySequence() override { acceptAnySequence_.store(1); }
  bool WaitDisplayIdle() override;

  // The handset's fixed pacing between codes; every pause of the key
  // handling and the indicator goes through it. Cut short once the object is
  // being destroyed.
  void Pause(int milliseconds);

 private:
  friend class DisplayIndicator;  // sends the screen, reads and settles the mode and the stop request

  int SendDisplayChar(int code, int parameter);
  int WriteDeviceSetting(int a, int b, int c);
  int ApplyAgcSetting();  // (14, 128, 72) with automatic gain control, (14, 128, 8) without

  void ReportThreadMain();
  void StopThreads();
  // One turn of the report thread for one report: sequence check, then the
  // key's action and its acknowledgement.
  void ProcessReport(std::uint32_t report);
  // The action of one ordinary key report: 5 when no acknowledgement is
  // wanted, 1 otherwise.
  int DispatchKey(const KeyRecord& key);
  void HandleAcceptedReport(const KeyRecord& key);
  void HandleDisplayRequest(const KeyRecord& key);
  void HandleIdentification(const KeyRecord& key);
  void HandleBrowseReport(const KeyRecord& key);
  void Acknowledge(const KeyRecord& key);
  // Asks a running indicator to stop; true when one was running.
  bool StopIndicatorAsync();
  // Asks a running indicator to stop and waits until it has run its end
  // sequence (bounded like WaitDisplayIdle); the mode is left to the
  // indicator's end.
  void StopIndicatorAndWait();
  bool StopAndWait(std::uint64_t run);
  void ClearModeBits(std::uint32_t bits) { WriteMode(0, ~bits); }
  // The mode word: HandsetMode below, and above it how many screens have
  // been prepared (writes that set a screen's bit). A screen prepared while
  // another streams sets bits that are set already; the count tells the
  // two apart at the end of the run.
  using ModeWord = std::uint64_t;
  static std::uint32_t ModeOf(ModeWord word) { return static_cast<std::uint32_t>(word); }
  static std::uint32_t PreparationsOf(ModeWord word) { return static_cast<std::uint32_t>(word >> 32); }
  // mode = (mode & keep) | set, in one step.
  void WriteMode(std::uint32_t set, std::uint32_t keep);
  // At the end of a run that began with `runStart`: the mode becomes
  // next(mode), from the value read (a key that changed the mode meanwhile
  // is seen and decided again), unless a screen has been prepared since the
  // run began, whose mode is then left as it is. The mode replaced, or
  // nullopt when it was left.
  std::optional<std::uint32_t> SettleModeAfterRun(ModeWord runStart, std::uint32_t (*next)(std::uint32_t mode));
  // The run's end takes a stop request back and lets the renderer go on;
  // from then on a stop finds nothing to stop, so that no stop can outlast
  // the run and leave the renderer cancelled for the next screen.
  void EndStoppableRun();
  // Starts streaming the prepared screen to the handset: 1 when an indicator
  // runs (this one, or one already running), 0 when none could be started.
  int StartIndicatorThread();
  void IndicatorThreadMain();
  // The indicator now running (0: none), and the wait until that one has run
  // its end sequence: false when `deadline` passed first (a handset that
  // stopped taking characters must not hold its caller for ever).
  std::uint64_t IndicatorRun();
  bool WaitIndicatorStopped(std::uint64_t run, std::chrono::milliseconds deadline);
  // Sends one command line straight to the client (not through the session's
  // outgoing queue).
  int SendClientCommand(std::string_view text);
  int SendCallStatus(int callId, const char* status);

  // The key commands, with keyLock_ held (key_commands.cpp, hook_keys.cpp,
  // call_keys.cpp).
  struct Calls {
    int current = 0;
    int currentStatus = -1;
    int second = 0;
    int secondStatus = -1;
  };
  Calls ReadCalls() const;
  int RunKeyCommand(int code);
  int HookUp();
  int HookDown();
  int Hold();
  int SendKey();
  int CallBrowsedEntry(std::uint32_t mode);
  int Clear();
  int Digit(int code);
  int Scroll(int code);
  int SkypeButton();
  void EndBrowsing();
  void ClickDialGridIfShown();

  // Browsing on the handset and the balance, with keyLock_ held
  // (browse_keys.cpp).
  void BrowseKey(int code);
  void SelectHistoryEntry();
  void TakeHistoryEntry(int callId);
  void StepBrowse(int code);
  void ShowBrowseEntry();
  std::string BrowsedHistoryName();
  void ShowSelectedContactName();
  void ShowPreparedText(const char* text);
  void AnnounceScreen();
  int ShowBalance();
  QorHidCtrl* Library() const;

  // Fields shared between threads, in the order of the object's layout.
  std::atomic<int> keysEnabled_{1};
  std::atomic<int> handsetConnected_{0};
  std::atomic<int> hasDisplay_{0};
  HandsetSettings settings_;
  std::atomic<ModeWord> modeWord_{0};
  std::atomic<int> acceptAnySequence_{1};
  std::atomic<int> indicatorStop_{0};
  std::atomic<int> indicatorRunning_{0};

  std::uint8_t codeByte_ = 0;  // sent by key 45; nothing writes it
  std::unique_ptr<HandsetLibrary> library_;
  std::atomic<DisplayRenderer*> renderer_{nullptr};
  ReportQueue reportQueue_;
  std::thread reportThread_;
  std::atomic<int> reportThreadRun_{0};

  // The indicator thread and its hand-over. indicatorActive_ is the
  // thread's "handle set": true from its start until the last step of its
  // end sequence; runs are numbered so that a waiter waits for the run it
  // stopped, not for a later screen.
  std::mutex indicatorLock_;
  std::condition_variable indicatorEnded_;
  std::thread indicatorThread_;
  bool indicatorActive_ = false;
  // A stop request (and the renderer's cancel) is given only while this is
  // set: from a run's start until its end sequence has taken any back.
  bool indicatorStoppable_ = false;
  // The handset asked for a screen while a run streamed: once that run has
  // ended, a screen prepared meanwhile is shown without another request.
  bool indicatorAskedAgain_ = false;
  bool indicatorClosed_ = false;  // the object is being destroyed: no new runs
  std::uint64_t indicatorRun_ = 0;
  // The sequence number the report thread expects next; touched only by the
  // thread that processes reports.
  std::uint8_t expectedSequence_ = 1;

  std::atomic<ClientTransport*> transport_{nullptr};
  std::atomic<ISkypeLink*> link_{nullptr};
  std::atomic<LevelControl*> speaker_{nullptr};
  std::atomic<LevelControl*> microphone_{nullptr};
  std::atomic<IPhoneState*> phoneState_{nullptr};
  std::atomic<IContactList*> contactList_{nullptr};
  SteadyActionDelay ownPacing_;
  std::atomic<ActionDelay*> pacing_{&ownPacing_};
  std::atomic<ClientWindows*> windows_{nullptr};
  std::atomic<ThreadStarter*> threads_{&DefaultThreadStarter()};
  std::mutex keyLock_;
};

}  // namespace tolvane
