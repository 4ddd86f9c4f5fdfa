#pragma once
// Shared pieces of the Windows handset tests: a message box that records
// instead of showing, and a fresh simulated handset per test (own transcript
// folder and control pipe, read by the library when its instance is made).
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "handset/hid_ctrl_loader_win.h"
#include "sim_handset_client.h"

namespace tolvane::testing {

struct ShownBox {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
};

inline std::vector<ShownBox>& ShownBoxes() {
  static std::vector<ShownBox> boxes;
  return boxes;
}

inline int WINAPI RecordBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  ShownBoxes().push_back({owner, text, caption, type});
  return IDOK;
}

inline HidCtrlLoadOptions RecordingOptions(const char* moduleName = "QorHIDCtrl.dll") {
  ShownBoxes().clear();
  HidCtrlLoadOptions options;
  options.moduleName = moduleName;
  options.messageBox = &RecordBox;
  return options;
}

// Points the next simulated handset at its own folder and pipe.
struct SimEnvironment {
  SimEnvironment() {
    static std::atomic<int> serial{0};
    const std::string id = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    folder = std::string(temp) + "tolvane-simhandset-" + id;
    CreateDirectoryA(folder.c_str(), nullptr);
    DeleteFileA((folder + "\\transcript.txt").c_str());
    pipe = "\\\\.\\pipe\\tolvane-sim-handset-test-" + id;
    SetEnvironmentVariableA("TOLVANE_SIM_HANDSET_DIR", folder.c_str());
    SetEnvironmentVariableA("TOLVANE_SIM_HANDSET_PIPE", pipe.c_str());
    SetEnvironmentVariableA("TOLVANE_SIM_HANDSET_PLUGGED", "1");
  }

  std::string Send(const std::string& command) const { return simhandset::SendCommand(pipe, command); }
  std::vector<std::string> Transcript() const { return simhandset::ReadTranscript(folder + "\\transcript.txt"); }

  std::string folder;
  std::string pipe;
};

}  // namespace tolvane::testing
