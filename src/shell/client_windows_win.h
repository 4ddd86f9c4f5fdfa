#pragma once
// ClientWindows over the client's real windows: FindWindowA for its
// top-level windows, the child windows FindSkypeWindows keeps, posted
// messages for the clicks and the close, and messages that need an answer
// sent with a bound, so that a hung client cannot hold the handset's
// threads.
#include <windows.h>

#include <chrono>

#include "interfaces/client_windows.h"
#include "shell/skype_windows.h"

namespace tolvane {

class Win32ClientWindows final : public ClientWindows {
 public:
  static constexpr std::chrono::milliseconds kDefaultAnswerTimeout{1000};

  explicit Win32ClientWindows(SkypeChildWindows& children = ProcessSkypeChildWindows(),
                              std::chrono::milliseconds answerTimeout = kDefaultAnswerTimeout);

  bool WindowExists(const char* className) const override;
  void CloseMainWindow() override;
  bool ActivateAndClose(const char* className) override;
  int SelectedPage() override;
  void ClickPageControl() override;
  bool DialGridVisible() override;
  void ClickDialGrid() override;
  void RefindWindows() override;
  void PressBackspace() override;

 private:
  SkypeChildWindows& children_;
  const UINT answerTimeoutMs_;
};

}  // namespace tolvane
