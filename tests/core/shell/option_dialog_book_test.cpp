// The option dialogs' bookkeeping: open counts and windows, closing from a
// session thread in the fixed order, and the workers: one at a time, woken
// at once when stopped, joined before their dialog ends.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "shell/option_dialog_book.h"

namespace tolvane {
namespace {

using namespace std::chrono_literals;

class RecordingCloser final : public DialogCloser {
 public:
  void RequestClose(WindowHandle dialog) override {
    std::lock_guard<std::mutex> hold(lock);
    closed.push_back(dialog);
  }
  std::mutex lock;
  std::vector<WindowHandle> closed;
};

WindowHandle Window(int n) { return reinterpret_cast<WindowHandle>(static_cast<std::intptr_t>(n)); }

TEST(OptionDialogBookTest, OpenCountsWindowsAndTheSessionsCloseOrder) {
  RecordingCloser closer;
  OptionDialogBook book(closer);
  EXPECT_FALSE(book.IsOpen(OptionDialog::kVolume));
  book.Opened(OptionDialog::kAudioDevices, Window(18));
  book.Opened(OptionDialog::kAdvancedSettings, Window(16));
  book.Opened(OptionDialog::kVolume, Window(15));
  EXPECT_TRUE(book.IsOpen(OptionDialog::kAdvancedSettings));
  EXPECT_EQ(book.Window(OptionDialog::kVolume), Window(15));

  std::thread session([&book] {
    book.CloseOpenDialogs();
    book.ForgetWorkerThreads();
  });
  session.join();
  EXPECT_EQ(closer.closed, (std::vector<WindowHandle>{Window(15), Window(16), Window(18)}));

  // Each dialog reports its end on its own thread.
  book.Closed(OptionDialog::kAdvancedSettings);
  EXPECT_FALSE(book.IsOpen(OptionDialog::kAdvancedSettings));
  EXPECT_EQ(book.Window(OptionDialog::kAdvancedSettings), nullptr);
  // A second end does not go below zero.
  book.Closed(OptionDialog::kAdvancedSettings);
  book.Opened(OptionDialog::kAdvancedSettings, Window(17));
  EXPECT_TRUE(book.IsOpen(OptionDialog::kAdvancedSettings));

  closer.closed.clear();
  book.Closed(OptionDialog::kVolume);
  book.Closed(OptionDialog::kAudioDevices);
  book.CloseOpenDialogs();
  EXPECT_EQ(closer.closed, std::vector<WindowHandle>{Window(17)});
}

TEST(OptionDialogBookTest, OneWorkerPerDialogStoppedPromptlyAndJoined) {
  RecordingCloser closer;
  OptionDialogBook book(closer);
  std::atomic<int> rounds{0};
  std::atomic<bool> inRound{false};
  const auto round = [&] {
    inRound = true;
    ++rounds;
    inRound = false;
    return true;
  };
  // A long period: stopping must not wait it out.
  ASSERT_TRUE(book.StartWorker(OptionDialog::kVolume, 1h, round));
  std::atomic<int> second{0};
  EXPECT_TRUE(book.StartWorker(OptionDialog::kVolume, 1h, [&] { return ++second > 0; }));
  EXPECT_FALSE(book.StartWorker(OptionDialog::kAdvancedSettings, 1h, round));
  // The first round runs at once; then the worker sits in its long wait.
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (rounds.load() == 0 && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();

  book.Opened(OptionDialog::kVolume, Window(15));
  book.CloseOpenDialogs();
  const auto start = std::chrono::steady_clock::now();
  book.StopWorker(OptionDialog::kVolume);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
  EXPECT_EQ(rounds.load(), 1);
  EXPECT_FALSE(inRound.load());
  EXPECT_EQ(second.load(), 0);

  // Stopped and joined: the next dialog starts a new one.
  std::atomic<int> again{0};
  ASSERT_TRUE(book.StartWorker(OptionDialog::kVolume, 1h, [&] { return ++again > 0; }));
  book.RequestWorkersStop();
  book.StopWorker(OptionDialog::kVolume);
  EXPECT_LE(again.load(), 1);
}

TEST(OptionDialogBookTest, AWorkerThatEndsItselfIsJoinedAndReplaced) {
  RecordingCloser closer;
  OptionDialogBook book(closer);
  std::atomic<int> rounds{0};
  ASSERT_TRUE(book.StartWorker(OptionDialog::kAudioDevices, 1ms, [&] { return ++rounds < 3; }));
  book.StopWorker(OptionDialog::kAudioDevices);
  EXPECT_LE(rounds.load(), 3);
  ASSERT_TRUE(book.StartWorker(OptionDialog::kAudioDevices, 1h, [&] { return false; }));
}

}  // namespace
}  // namespace tolvane
