#include "shell/option_dialog_book.h"

#include <utility>

namespace tolvane {

OptionDialogBook::OptionDialogBook(DialogCloser& closer) : closer_(closer) {}

OptionDialogBook::~OptionDialogBook() {
  volumeWorker_.Stop();
  audioWorker_.Stop();
}

void OptionDialogBook::Opened(OptionDialog dialog, WindowHandle window) {
  std::lock_guard<std::mutex> hold(lock_);
  Entry& entry = entries_[Index(dialog)];
  ++entry.openCount;
  entry.window = window;
}

void OptionDialogBook::Closed(OptionDialog dialog) {
  std::lock_guard<std::mutex> hold(lock_);
  Entry& entry = entries_[Index(dialog)];
  if (entry.openCount > 0) --entry.openCount;
  if (entry.openCount == 0) entry.window = nullptr;
}

bool OptionDialogBook::IsOpen(OptionDialog dialog) const {
  std::lock_guard<std::mutex> hold(lock_);
  return entries_[Index(dialog)].openCount != 0;
}

WindowHandle OptionDialogBook::Window(OptionDialog dialog) const {
  std::lock_guard<std::mutex> hold(lock_);
  return entries_[Index(dialog)].window;
}

PeriodicWorker* OptionDialogBook::WorkerOf(OptionDialog dialog) {
  switch (dialog) {
    case OptionDialog::kVolume: return &volumeWorker_;
    case OptionDialog::kAudioDevices: return &audioWorker_;
    case OptionDialog::kAdvancedSettings: return nullptr;
  }
  return nullptr;
}

bool OptionDialogBook::StartWorker(OptionDialog dialog, std::chrono::milliseconds period,
                                   PeriodicWorker::Round round) {
  PeriodicWorker* worker = WorkerOf(dialog);
  if (worker == nullptr) return false;
  if (worker->Started()) return true;
  return worker->Start(period, std::move(round)) || worker->Started();
}

void OptionDialogBook::StopWorker(OptionDialog dialog) {
  if (PeriodicWorker* worker = WorkerOf(dialog)) worker->Stop();
}

void OptionDialogBook::RequestWorkersStop() {
  volumeWorker_.RequestStop();
  audioWorker_.RequestStop();
}

void OptionDialogBook::CloseOpenDialogs() {
  for (OptionDialog dialog : {OptionDialog::kVolume, OptionDialog::kAdvancedSettings, OptionDialog::kAudioDevices}) {
    WindowHandle window = nullptr;
    {
      std::lock_guard<std::mutex> hold(lock_);
      window = entries_[Index(dialog)].window;
    }
    if (window == nullptr) continue;
    // The worker stops at once; its dialog joins it as it ends.
    if (PeriodicWorker* worker = WorkerOf(dialog)) worker->RequestStop();
    closer_.RequestClose(window);
  }
}

void OptionDialogBook::ForgetWorkerThreads() {
  // Nothing to forget: every worker is joined by its dialog as the dialog
  // ends, after which a new one may start.
}

}  // namespace tolvane
