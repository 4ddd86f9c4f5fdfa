#pragma once
// The simulated handset's window, for a person trying the program: the
// display as the handset shows it (updated while the program streams it),
// the ring, call, mute and prompt lamps, the status icon, and the keys. A
// click on a key sends the same control command a test would ("key 31"), so
// the report carries the right sequence number. The window runs on a thread
// of its own, started when the window is asked for and ended (and joined)
// when it is hidden or the library's instance is deleted.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <future>
#include <string>
#include <thread>

#include "display_decoder.h"
#include "handset_indicators.h"

namespace simhandset {

// A copy of what the window draws, taken under the handset's lock.
struct HandsetView {
  DisplayScreen screen;
  HandsetIndicators lamps;
  bool plugged = false;
  bool opened = false;
  bool started = false;
  std::uint32_t nextSequence = 0;
};

class HandsetWindow {
 public:
  using Viewer = std::function<HandsetView()>;
  using Executor = std::function<std::string(const std::string& command)>;

  // Returns once the window exists (or could not be made: Shown() is false).
  HandsetWindow(HMODULE library, Viewer view, Executor execute);
  // Closes the window and joins its thread. Never from the window's thread.
  ~HandsetWindow();
  HandsetWindow(const HandsetWindow&) = delete;
  HandsetWindow& operator=(const HandsetWindow&) = delete;

  bool Shown() const { return window_ != nullptr; }
  // From any thread: draw again soon (several requests make one redraw).
  void Redraw();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Run(std::promise<HWND>* created);
  void CreateKeys();
  LRESULT OnCommand(WPARAM wParam);
  LRESULT OnPaint();
  void PaintDisplay(HDC dc, const HandsetView& view);
  void PaintLamps(HDC dc, const HandsetView& view);

  HMODULE library_;
  Viewer view_;
  Executor execute_;
  HWND window_ = nullptr;  // for other threads, set once the window exists
  HWND own_ = nullptr;     // the same, for the window's own thread
  HFONT displayFont_ = nullptr;
  HFONT smallFont_ = nullptr;
  DWORD threadId_ = 0;
  std::atomic<bool> redrawPending_{false};
  std::string lastReply_;
  std::thread thread_;
};

}  // namespace simhandset
