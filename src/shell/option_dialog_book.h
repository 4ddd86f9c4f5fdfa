#pragma once
// Which option dialogs are open, their windows and their workers, shared by
// the main window (which opens each dialog once), the dialogs themselves
// (on the UI thread) and the session's action threads (which close them
// before the client's devices change). Everything here is locked or owns
// its own synchronisation.
//
// Closing from another thread only asks: the dialog ends itself on its own
// thread (DialogCloser), stops and joins its worker there and then reports
// Closed. Workers never outlive their dialog.
#include <array>
#include <chrono>
#include <mutex>

#include "common/abi.h"
#include "common/periodic_worker.h"
#include "interfaces/option_dialogs.h"

namespace tolvane {

enum class OptionDialog : int { kVolume = 0, kAdvancedSettings = 1, kAudioDevices = 2 };

class DialogCloser {
 public:
  // Asks the dialog to end without taking over its controls' values; any
  // thread, returns at once.
  virtual void RequestClose(WindowHandle dialog) = 0;

 protected:
  ~DialogCloser() = default;
};

class OptionDialogBook final : public OptionDialogs {
 public:
  explicit OptionDialogBook(DialogCloser& closer);
  OptionDialogBook(const OptionDialogBook&) = delete;
  OptionDialogBook& operator=(const OptionDialogBook&) = delete;
  ~OptionDialogBook() override;

  // The dialog's initialisation and its end (the dialog's own thread).
  void Opened(OptionDialog dialog, WindowHandle window);
  void Closed(OptionDialog dialog);
  bool IsOpen(OptionDialog dialog) const;
  WindowHandle Window(OptionDialog dialog) const;

  // The worker of the Volume Control or Audio Devices dialog. Starting while
  // one is started starts nothing and counts as started.
  bool StartWorker(OptionDialog dialog, std::chrono::milliseconds period, PeriodicWorker::Round round);
  // Stops and joins it; the dialog's thread, before the dialog ends.
  void StopWorker(OptionDialog dialog);
  // Asks both workers to end (the program is leaving); returns at once.
  void RequestWorkersStop();

  // OptionDialogs.
  void CloseOpenDialogs() override;
  void ForgetWorkerThreads() override;

 private:
  struct Entry {
    int openCount = 0;
    WindowHandle window = nullptr;
  };
  static std::size_t Index(OptionDialog dialog) { return static_cast<std::size_t>(dialog); }
  PeriodicWorker* WorkerOf(OptionDialog dialog);

  DialogCloser& closer_;
  mutable std::mutex lock_;
  std::array<Entry, 3> entries_{};
  PeriodicWorker volumeWorker_{"volume level poll"};
  PeriodicWorker audioWorker_{"audio device watch"};
};

}  // namespace tolvane
