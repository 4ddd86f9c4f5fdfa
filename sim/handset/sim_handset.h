#pragma once
// The simulated handset-control library's instance: the program's side is
// the QorHidCtrl operation table; the other side is a command line per
// control-pipe connection (see README.md), from a test or a person.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "control_pipe.h"
#include "display_decoder.h"
#include "handset_indicators.h"
#include "handset_keys.h"
#include "handset_window_win.h"
#include "interfaces/hid_ctrl_library.h"
#include "transcript.h"

namespace simhandset {

struct SimConfig {
  std::string transcriptPath;
  std::string pipeName;
  bool plugged = true;
  bool window = false;       // show the handset's window from the start
  bool autoDisplay = false;  // ask for the screen by itself when told one is ready (62, 63)

  // From TOLVANE_SIM_HANDSET_DIR, TOLVANE_SIM_HANDSET_PIPE,
  // TOLVANE_SIM_HANDSET_PLUGGED, TOLVANE_SIM_HANDSET_WINDOW and
  // TOLVANE_SIM_HANDSET_AUTODISPLAY; the transcript defaults to the
  // library's own folder.
  static SimConfig FromEnvironment(HMODULE library);
};

class SimHandset final : public tolvane::QorHidCtrl {
 public:
  SimHandset(const SimConfig& config, HMODULE library);
  ~SimHandset();
  SimHandset(const SimHandset&) = delete;
  SimHandset& operator=(const SimHandset&) = delete;

  int TOLVANE_STDCALL Reserved0() override { return 0; }
  int TOLVANE_STDCALL CloseDevice() override;
  int TOLVANE_STDCALL Reserved2() override { return 0; }
  int TOLVANE_STDCALL OpenDevice() override;
  int TOLVANE_STDCALL ShutdownDevice() override;
  int TOLVANE_STDCALL StartDevice(tolvane::WindowHandle notify) override;
  int TOLVANE_STDCALL AbortStart() override;
  int TOLVANE_STDCALL Reserved7() override { return 0; }
  int TOLVANE_STDCALL SendCode(std::uint8_t code) override;
  int TOLVANE_STDCALL SendDisplayChar(int code, int parameter) override;
  int TOLVANE_STDCALL WriteDeviceSetting(int a, int b, int c) override;
  int TOLVANE_STDCALL Reserved11() override { return 0; }
  int TOLVANE_STDCALL SetDisplayRenderer(tolvane::DisplayRenderer* renderer) override;

  // One control command; returns the reply line.
  std::string Execute(const std::string& command);
  // What the handset shows and how it stands, for its window.
  HandsetView View();

 private:
  std::string Post(std::uint32_t wParam, LPARAM lParam);
  // Posts a key report with the next sequence number (when `advance`; else
  // with the number the next report will carry), and keeps it for `again`.
  std::string KeyReport(std::uint32_t key, std::uint32_t flags, bool advance);
  std::string Again();
  std::string DisplayRequest(std::uint32_t key);
  std::string SetPlugged(bool plugged, bool notify);
  std::string SetWindowShown(bool shown);
  // Asks the window, if shown, to draw itself again.
  void Redraw();

  HMODULE library_;
  Transcript transcript_;
  std::mutex lock_;  // guards the device state below
  bool plugged_;
  bool opened_ = false;
  bool startFails_ = false;
  HWND window_ = nullptr;  // where reports go while started
  KeySequence keys_;
  std::uint32_t lastKeyReport_ = 0;    // wParam of the last key report, for `again`
  bool sentKeyReport_ = false;
  std::uint32_t displaySequence_ = 0;  // 4 + this
  bool autoDisplay_;
  DisplayDecoder display_;
  HandsetIndicators indicators_;
  // The window, while shown. Its own lock: the window's thread calls back
  // into Execute, which takes lock_.
  std::mutex handsetWindowLock_;
  std::unique_ptr<HandsetWindow> handsetWindow_;
  // Last: it starts serving only once everything above exists, and stops
  // before any of it goes.
  std::unique_ptr<ControlPipe> pipe_;
};

}  // namespace simhandset
