// The indicator thread of HandsetControl: at most one runs at a time; it is
// started by the report thread for a display request, stopped by the hook
// keys and by WaitDisplayIdle through the stop request, and joined by the
// next start or by the destructor.
#include "handset/display_indicator.h"
#include "handset/handset_control.h"
#include "interfaces/display_renderer.h"
#include "interfaces/handset_mode.h"

namespace tolvane {
namespace {

// How long a stopped screen may take to end before the waiter gives up.
constexpr std::chrono::seconds kIndicatorStopDeadline{5};

}  // namespace

int HandsetControl::StartIndicatorThread() {
  std::lock_guard<std::mutex> hold(indicatorLock_);
  if (indicatorActive_) {
    indicatorAskedAgain_ = true;
    return 1;
  }
  if (indicatorClosed_) return 0;
  // A previous run has taken its last step under this lock: only its thread
  // object is left, and joining it cannot wait on anything.
  if (indicatorThread_.joinable()) indicatorThread_.join();
  indicatorRunning_.store(1);
  indicatorStop_.store(0);
  if (!threads_.load()->Start(indicatorThread_, "indicator", [this] { IndicatorThreadMain(); })) {
    indicatorRunning_.store(0);
    return 0;
  }
  // The new thread cannot end before this is set: its last step waits for
  // the lock held here.
  indicatorActive_ = true;
  indicatorStoppable_ = true;
  indicatorAskedAgain_ = false;
  ++indicatorRun_;
  return 1;
}

void HandsetControl::IndicatorThreadMain() {
  constexpr std::uint32_t kPreparedScreen = kModeDuration | kModeHandleText | kModeRenderedText;
  for (;;) {
    DisplayIndicator::Parts parts;
    parts.handset = this;
    parts.phoneState = phoneState_.load();
    parts.contactList = contactList_.load();
    parts.renderer = renderer_.load();
    parts.link = link_.load();
    DisplayIndicator(parts).Run();

    std::lock_guard<std::mutex> hold(indicatorLock_);
    // The handset asked while this run streamed, and a screen prepared
    // meanwhile outlived the run's end: it is what the handset asked for, so
    // it runs now, as the next run (a waiter for this one returns).
    if (indicatorAskedAgain_ && !indicatorClosed_ && (Mode() & kPreparedScreen) != 0) {
      indicatorAskedAgain_ = false;
      indicatorStoppable_ = true;
      indicatorStop_.store(0);
      ++indicatorRun_;
      indicatorEnded_.notify_all();
      continue;
    }
    indicatorRunning_.store(0);
    indicatorActive_ = false;
    indicatorEnded_.notify_all();
    return;
  }
}

void HandsetControl::EndStoppableRun() {
  std::lock_guard<std::mutex> hold(indicatorLock_);
  indicatorStoppable_ = false;
  indicatorStop_.store(0);
  if (DisplayRenderer* renderer = renderer_.load()) renderer->CancelDisplay(0);
}

std::optional<std::uint32_t> HandsetControl::SettleModeAfterRun(ModeWord runStart,
                                                                std::uint32_t (*next)(std::uint32_t mode)) {
  ModeWord word = modeWord_.load();
  do {
    if (PreparationsOf(word) != PreparationsOf(runStart)) return std::nullopt;
  } while (!modeWord_.compare_exchange_weak(word, (word & ~ModeWord{0xFFFFFFFF}) | next(ModeOf(word))));
  return ModeOf(word);
}

std::uint64_t HandsetControl::IndicatorRun() {
  std::lock_guard<std::mutex> hold(indicatorLock_);
  return indicatorActive_ ? indicatorRun_ : 0;
}

bool HandsetControl::WaitIndicatorStopped(std::uint64_t run, std::chrono::milliseconds deadline) {
  if (run == 0) return true;
  std::unique_lock<std::mutex> hold(indicatorLock_);
  return indicatorEnded_.wait_for(hold, deadline, [&] { return !indicatorActive_ || indicatorRun_ != run; });
}

bool HandsetControl::WaitDisplayIdle() {
  const std::uint64_t run = IndicatorRun();
  if (run == 0) return true;
  // The mode goes first: the indicator reads it again at its end, and a
  // stopped screen must not be taken for one that ran to its end. Browsing
  // is the user's and outlives the screen (the end then clears only the
  // screen's bit): only what takes the display over (a ring, a caller) ends
  // it, not a line that merely had to wait for the screen.
  constexpr std::uint32_t kBrowsing = kModeBrowseContacts | kModeBrowseHistory;
  ModeWord word = modeWord_.load();
  while ((ModeOf(word) & kBrowsing) == 0 &&
         !modeWord_.compare_exchange_weak(word, word & ~ModeWord{0xFFFFFFFF})) {
  }
  return StopAndWait(run);
}

void HandsetControl::StopIndicatorAndWait() {
  const std::uint64_t run = IndicatorRun();
  if (run != 0) StopAndWait(run);
}

bool HandsetControl::StopAndWait(std::uint64_t run) {
  {
    // A run that has ended, or is taking its stop request back, is not
    // stopped: nothing would take this one back.
    std::lock_guard<std::mutex> hold(indicatorLock_);
    if (indicatorStoppable_ && indicatorRun_ == run) {
      indicatorStop_.store(1);
      if (DisplayRenderer* renderer = renderer_.load()) renderer->CancelDisplay(1);
    }
  }
  Pause(20);
  // Until the indicator has run its end sequence it still writes to the
  // handset and to the mode word, so the caller's next code or mode would mix
  // with it. A handset that stopped taking characters must not hold the
  // caller for ever, hence the bound.
  return WaitIndicatorStopped(run, kIndicatorStopDeadline);
}

}  // namespace tolvane
