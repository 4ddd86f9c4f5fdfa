// The tray icon's record and when it reaches the shell: the cut tooltip, the
// states before and after adding and removing, the re-add after the shell
// restarted or only announced itself, and whole updates from several
// threads at once.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "shell/tray_icon_model.h"

namespace tolvane {
namespace {

struct ShellCall {
  std::string what;
  unsigned parts;
  std::string tip;
  void* icon;
};

// As the shell answers: an icon it already holds is not added again, and
// one it does not hold can be neither modified nor deleted.
class RecordingShell final : public TrayShell {
 public:
  bool Add(const TrayIconRecord& r, unsigned parts) override {
    const bool added = accept && !holds;
    holds = holds || added;
    return Note("add", parts, r, added);
  }
  bool Modify(const TrayIconRecord& r, unsigned parts) override { return Note("modify", parts, r, holds); }
  bool Delete(const TrayIconRecord& r) override {
    const bool deleted = holds;
    holds = false;
    return Note("delete", 0, r, deleted);
  }
  // The shell restarted and forgot every icon.
  void Restart() { holds = false; }
  void DestroyIcon(void* icon) override {
    std::lock_guard<std::mutex> hold(lock);
    destroyed.push_back(icon);
  }
  bool Note(const char* what, unsigned parts, const TrayIconRecord& r, bool result) {
    std::lock_guard<std::mutex> hold(lock);
    calls.push_back({what, parts, r.tip, r.icon});
    return result;
  }

  bool accept = true;
  bool holds = false;
  std::mutex lock;
  std::vector<ShellCall> calls;
  std::vector<void*> destroyed;
};

void* Icon(int n) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(n)); }

TrayIconRecord StartRecord(std::string tip = "SkypeForWindow") {
  TrayIconRecord record;
  record.id = 112;
  record.callbackMessage = 0x800A;
  record.icon = Icon(1);
  record.tip = std::move(tip);
  return record;
}

TEST(TrayIconModelTest, TooltipsAreCutTo127Characters) {
  RecordingShell shell;
  TrayIconModel model(shell);
  ASSERT_EQ(model.Add(StartRecord(std::string(200, 'a')), false), 1);
  EXPECT_EQ(shell.calls.at(0).tip, std::string(127, 'a'));
  EXPECT_EQ(shell.calls.at(0).parts, kTrayMessage | kTrayIcon | kTrayTip);
  EXPECT_EQ(model.SetTooltipText(std::string(127, 'b') + "cut"), 1);
  EXPECT_EQ(shell.calls.at(1).tip, std::string(127, 'b'));
  EXPECT_EQ(model.SetTooltipText("short"), 1);
  EXPECT_EQ(shell.calls.at(2).tip, "short");
  EXPECT_EQ(shell.calls.at(2).parts, kTrayTip);
}

TEST(TrayIconModelTest, StatesDecideWhatReachesTheShell) {
  RecordingShell shell;
  TrayIconModel model(shell);
  // Before the icon is created nothing happens.
  EXPECT_EQ(model.SetIcon(Icon(2), false), 0);
  EXPECT_EQ(model.SetTooltipText("x"), 0);
  EXPECT_EQ(model.Remove(), 1);
  EXPECT_TRUE(shell.calls.empty());

  ASSERT_EQ(model.Add(StartRecord(), false), 1);
  EXPECT_TRUE(model.Shown());
  EXPECT_EQ(model.SetIcon(Icon(2), false), 1);
  EXPECT_EQ(shell.calls.back().what, "modify");
  EXPECT_EQ(shell.calls.back().parts, kTrayIcon);

  EXPECT_EQ(model.Remove(), 1);
  EXPECT_EQ(shell.calls.back().what, "delete");
  const std::size_t afterRemove = shell.calls.size();
  // A removed icon takes changes without the shell, and a second removal
  // does not reach it either.
  EXPECT_EQ(model.SetIcon(Icon(3), false), 1);
  EXPECT_EQ(model.SetTooltipText("kept"), 1);
  EXPECT_EQ(model.Remove(), 1);
  EXPECT_EQ(shell.calls.size(), afterRemove);
  EXPECT_EQ(model.Record().tip, "kept");
  EXPECT_EQ(model.Record().icon, Icon(3));
  // Removed on purpose: a shell restart does not bring it back.
  EXPECT_EQ(model.ReAdd(), 0);
  EXPECT_EQ(shell.calls.size(), afterRemove);
}

TEST(TrayIconModelTest, AShellRestartBringsTheIconBackWithItsLatestLook) {
  RecordingShell shell;
  shell.accept = false;
  TrayIconModel model(shell);
  // No shell yet: refused, and changes are only kept.
  EXPECT_EQ(model.Add(StartRecord(), false), 0);
  EXPECT_EQ(model.SetTooltipText("Skype disconnect."), 1);
  EXPECT_EQ(model.SetIcon(Icon(5), true), 1);
  EXPECT_EQ(shell.calls.size(), 1u);

  shell.accept = true;
  EXPECT_EQ(model.ReAdd(), 1);
  EXPECT_EQ(shell.calls.back().what, "add");
  EXPECT_EQ(shell.calls.back().tip, "Skype disconnect.");
  EXPECT_EQ(shell.calls.back().icon, Icon(5));
  // And again after a later restart.
  shell.Restart();
  EXPECT_EQ(model.ReAdd(), 1);
  EXPECT_EQ(shell.calls.back().what, "add");
  EXPECT_TRUE(model.Shown());
}

TEST(TrayIconModelTest, AnAnnouncementWithoutARestartKeepsTheIconInHand) {
  RecordingShell shell;
  TrayIconModel model(shell);
  ASSERT_EQ(model.Add(StartRecord(), false), 1);
  // Any program may announce a new taskbar: the shell refuses the icon it
  // holds, which is then brought up to date in place.
  EXPECT_EQ(model.ReAdd(), 1);
  EXPECT_EQ(shell.calls.back().what, "modify");
  EXPECT_EQ(shell.calls.back().parts, kTrayMessage | kTrayIcon | kTrayTip);
  EXPECT_TRUE(model.Shown());
  EXPECT_EQ(model.SetTooltipText("Skype disconnect."), 1);
  EXPECT_EQ(shell.calls.back().what, "modify");

  // A real restart whose shell is not ready yet: refused both ways, the icon
  // is lost until the next announcement adds it again.
  shell.Restart();
  shell.accept = false;
  EXPECT_EQ(model.ReAdd(), 0);
  EXPECT_FALSE(model.Shown());
  shell.accept = true;
  EXPECT_EQ(model.ReAdd(), 1);
  EXPECT_EQ(shell.calls.back().what, "add");
  EXPECT_EQ(shell.calls.back().tip, "Skype disconnect.");
  EXPECT_EQ(model.Remove(), 1);
  EXPECT_EQ(shell.calls.back().what, "delete");
  EXPECT_FALSE(shell.holds);
}

TEST(TrayIconModelTest, OwnedIconsAreFreedOnceReplaced) {
  RecordingShell shell;
  {
    TrayIconModel model(shell);
    model.Add(StartRecord(), false);
    model.SetIcon(Icon(7), true);
    EXPECT_TRUE(shell.destroyed.empty());
    model.SetIcon(Icon(8), true);
    EXPECT_EQ(shell.destroyed, std::vector<void*>{Icon(7)});
  }
  // The start icon is its creator's; the last owned one goes with the model.
  EXPECT_EQ(shell.destroyed, (std::vector<void*>{Icon(7), Icon(8)}));
}

TEST(TrayIconModelTest, UpdatesFromSeveralThreadsReachTheShellWhole) {
  RecordingShell shell;
  TrayIconModel model(shell);
  model.Add(StartRecord(), false);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&model, t] {
      for (int i = 0; i < 200; ++i) model.SetTooltipText(std::string(100, static_cast<char>('a' + t)));
    });
  }
  for (std::thread& thread : threads) thread.join();
  ASSERT_EQ(shell.calls.size(), 801u);
  for (std::size_t i = 1; i < shell.calls.size(); ++i) {
    const ShellCall& call = shell.calls[i];
    EXPECT_EQ(call.tip.find_first_not_of(call.tip.front()), std::string::npos);
  }
  EXPECT_EQ(model.Record().tip, shell.calls.back().tip);
}

}  // namespace
}  // namespace tolvane
