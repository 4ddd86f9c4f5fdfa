// HandsetControl against the simulated handset library: what the program
// calls shows in the simulator's transcript, and what the simulated handset
// does arrives as window messages.
#include <gtest/gtest.h>

#include <windows.h>
#include <dbt.h>
// MinGW's hidsdi.h declares its functions without C linkage.
extern "C" {
#include <hidsdi.h>
}

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "core/fakes/event_log.h"
#include "core/fakes/fake_client_transport.h"
#include "handset/handset_control.h"
#include "win_handset_support.h"

namespace tolvane::testing {
namespace {

struct WindowMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  // What a device notice's header said, read while it was valid.
  DWORD deviceType = 0;
  GUID deviceClass{};
};

// A hidden window that keeps the handset messages it receives and, like the
// main window, queues handset reports when it is given a handset.
class ReportWindow {
 public:
  ReportWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &ReportWindow::Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TolvaneHandsetTestWindow";
    RegisterClassA(&windowClass);
    window = CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr,
                             windowClass.hInstance, this);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~ReportWindow() { DestroyWindow(window); }

  // Pumps messages until `count` handset messages have arrived or the
  // deadline passed.
  bool WaitForMessages(std::size_t count, std::chrono::milliseconds deadline = std::chrono::seconds(10)) {
    return PumpUntil([&] { return received.size() >= count; }, deadline);
  }

  // Pumps messages until `done` holds; something that makes it hold from
  // another thread posts to this one to wake it.
  bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline = std::chrono::seconds(10)) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!done()) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      if (done()) break;
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
      if (left.count() <= 0) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left.count()), QS_ALLINPUT);
    }
    return true;
  }

  HWND window = nullptr;
  HandsetControl* handset = nullptr;
  std::vector<WindowMessage> received;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ReportWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && (message == kHandsetReportMessage || message == WM_DEVICECHANGE)) {
      WindowMessage kept{message, wParam, lParam};
      const auto* notice = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_A*>(lParam);
      if (message == WM_DEVICECHANGE && (wParam & 0x8000) != 0 && notice != nullptr) {
        kept.deviceType = notice->dbcc_devicetype;
        kept.deviceClass = notice->dbcc_classguid;
      }
      self->received.push_back(kept);
      if (message == kHandsetReportMessage && self->handset != nullptr) {
        self->handset->QueueReport(static_cast<std::uint32_t>(wParam), lParam);
      }
      return message == WM_DEVICECHANGE ? TRUE : 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
};

std::vector<std::string> EntriesStartingWith(const std::vector<std::string>& entries,
                                             std::initializer_list<const char*> prefixes) {
  std::vector<std::string> kept;
  for (const std::string& e : entries) {
    for (const char* p : prefixes) {
      if (e.rfind(p, 0) == 0) {
        kept.push_back(e);
        break;
      }
    }
  }
  return kept;
}

class SimHandsetTest : public ::testing::Test {
 protected:
  SimEnvironment sim;
  std::unique_ptr<HandsetLibrary> loaded = LoadHandsetLibrary(RecordingOptions());
  // Screens and settings go to the instance itself: the program sends them
  // only from its own threads.
  QorHidCtrl* instance = loaded->Instance();
  std::unique_ptr<HandsetControl> handset = std::make_unique<HandsetControl>(std::move(loaded));
};

TEST_F(SimHandsetTest, OpenDeviceFollowsPlugAndUnplug) {
  EXPECT_EQ(handset->OpenDevice(), 1);
  EXPECT_EQ(sim.Send("unplug quiet"), "ok");
  EXPECT_EQ(handset->OpenDevice(), 0);
  EXPECT_EQ(sim.Send("plug quiet"), "ok");
  EXPECT_EQ(handset->OpenDevice(), 1);
}

TEST_F(SimHandsetTest, CodesCharactersAndSettingsReachTheHandsetInOrder) {
  ASSERT_EQ(handset->OpenDevice(), 1);
  handset->SendCode(81);
  instance->SendDisplayChar(0, 79);
  instance->SendDisplayChar('A', 0);
  instance->SendDisplayChar('b', 5);
  instance->WriteDeviceSetting(14, 128, 72);
  instance->SendDisplayChar(26, 10);
  handset->SendCode(63);
  EXPECT_EQ(EntriesStartingWith(sim.Transcript(), {"SendCode", "SendDisplayChar", "WriteDeviceSetting"}),
            (std::vector<std::string>{"SendCode 81", "SendDisplayChar 0 79", "SendDisplayChar 65 0",
                                      "SendDisplayChar 98 5", "WriteDeviceSetting 14 128 72",
                                      "SendDisplayChar 26 10", "SendCode 63"}));
}

TEST_F(SimHandsetTest, ReportsNeedAStartedDevice) {
  EXPECT_EQ(sim.Send("key 31"), "error not started");
  ReportWindow target;
  ASSERT_EQ(handset->OpenDevice(), 1);
  EXPECT_EQ(sim.Send("startfail on"), "ok");
  EXPECT_EQ(handset->StartDevice(target.window), 0);
  EXPECT_EQ(sim.Send("startfail off"), "ok");
  EXPECT_EQ(handset->StartDevice(target.window), 1);
  EXPECT_EQ(sim.Send("key 31"), "ok");
}

TEST_F(SimHandsetTest, HandsetEventsArriveAsReportMessagesWithTheirBits) {
  ReportWindow target;
  ASSERT_EQ(handset->OpenDevice(), 1);
  ASSERT_EQ(handset->StartDevice(target.window), 1);
  const char* commands[] = {"key 31", "key 32", "ident 128", "key 83", "key 49",  "display",
                            "volup",  "voldown", "keyseq 83 2", "raw 0x1234 -1"};
  for (const char* command : commands) ASSERT_EQ(sim.Send(command), "ok") << command;
  ASSERT_TRUE(target.WaitForMessages(std::size(commands)));
  const std::pair<WPARAM, LPARAM> expected[] = {
      {0x1F00, 0},  // hook up, sequence 0
      {0x2001, 0},  // hook down, 1
      {0x8002, 0},  // identification with display, 2
      {0x5303, 0},  // sequence wraps after 3
      {0x3100, 0},
      {0x5A04, 0},  // display request: key 90, sequence 4
      {0x10001, 0}, // volume up (bit 16), sequence not advanced
      {0x20001, 0}, // volume down (bit 17)
      {0x5302, 0},  // out of turn
      {0x1234, -1}, // marked "ignore"
  };
  ASSERT_EQ(target.received.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(target.received[i].message, kHandsetReportMessage) << i;
    EXPECT_EQ(target.received[i].wParam, expected[i].first) << i;
    EXPECT_EQ(target.received[i].lParam, expected[i].second) << i;
  }
}

TEST_F(SimHandsetTest, KeysByNameRepeatedReportsAndWhatTheHandsetShows) {
  ReportWindow target;
  ASSERT_EQ(handset->OpenDevice(), 1);
  ASSERT_EQ(handset->StartDevice(target.window), 1);
  const char* commands[] = {"key KEY_PAD_HOOK_UP", "again", "key KEY_PAD_5", "keyseq KEY_PAD_SEND 3"};
  for (const char* command : commands) ASSERT_EQ(sim.Send(command), "ok") << command;
  EXPECT_EQ(sim.Send("key KEY_PAD_NOTHING").rfind("error", 0), 0u);

  // Told that a screen is ready, a handset asking by itself sends the request.
  ASSERT_EQ(sim.Send("autodisplay on"), "ok");
  handset->SendCode(158);
  handset->SendCode(63);
  ASSERT_TRUE(target.WaitForMessages(std::size(commands) + 1));
  const WPARAM expected[] = {0x1F00, 0x1F00, 0xB501, 0x3103, 0x5A04};
  for (std::size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(target.received[i].wParam, expected[i]) << i;

  for (const auto& [code, parameter] : std::vector<std::pair<int, int>>{
           {0, 79}, {106, 10}, {112, 10}, {'B', 0}, {'o', 5}, {'b', 0}, {26, 10}}) {
    instance->SendDisplayChar(code, parameter);
  }
  EXPECT_EQ(sim.Send("screen"), "ok mark=106 name=\"Bob\"");
  EXPECT_EQ(sim.Send("lamps"), "ok ring=1 call=idle mute=0 tone=0 prompt=0 status=- ack=- refused=-");
  EXPECT_EQ(EntriesStartingWith(sim.Transcript(), {"screen"}),
            (std::vector<std::string>{"screen mark=106 name=\"Bob\""}));

  // The window comes and goes on its own thread; deleting the instance
  // while it is shown ends that thread too.
  EXPECT_EQ(sim.Send("window show"), "ok");
  EXPECT_EQ(sim.Send("window hide"), "ok");
  EXPECT_EQ(sim.Send("window show"), "ok");
  handset.reset();
  EXPECT_EQ(sim.Transcript().back(), "deleted");
}

TEST_F(SimHandsetTest, PlugAndUnplugTellEveryTopLevelWindowAsWindowsDoes) {
  // This window never started the handset: the notices go to every
  // top-level window, each HID interface's with the interface's class.
  ReportWindow target;
  GUID hid{};
  HidD_GetHidGuid(&hid);
  const struct {
    const char* command;
    std::vector<WPARAM> events;
  } cases[] = {
      {"unplug", {DBT_DEVICEREMOVECOMPLETE, DBT_DEVICEREMOVECOMPLETE, DBT_DEVNODES_CHANGED}},
      {"plug", {DBT_DEVNODES_CHANGED, DBT_DEVICEARRIVAL, DBT_DEVICEARRIVAL}},
  };
  for (const auto& c : cases) {
    target.received.clear();
    // The notices are sent, also to this thread's other windows, so it
    // must be pumping until the command has its reply.
    std::string reply;
    std::atomic<bool> replied{false};
    const DWORD pumping = GetCurrentThreadId();
    std::thread command([&] {
      reply = sim.Send(c.command);
      replied = true;
      PostThreadMessageA(pumping, WM_NULL, 0, 0);
    });
    const bool answered = target.PumpUntil([&] { return replied.load(); });
    command.join();
    ASSERT_TRUE(answered) << c.command;
    EXPECT_EQ(reply, "ok");
    ASSERT_EQ(target.received.size(), c.events.size()) << c.command;
    for (std::size_t i = 0; i < c.events.size(); ++i) {
      const WindowMessage& m = target.received[i];
      EXPECT_EQ(m.message, static_cast<UINT>(WM_DEVICECHANGE));
      EXPECT_EQ(m.wParam, c.events[i]) << c.command << " notice " << i;
      if (c.events[i] == DBT_DEVNODES_CHANGED) continue;
      EXPECT_EQ(m.deviceType, static_cast<DWORD>(DBT_DEVTYP_DEVICEINTERFACE));
      EXPECT_TRUE(IsEqualGUID(m.deviceClass, hid)) << c.command << " notice " << i;
    }
    EXPECT_EQ(handset->OpenDevice(), std::string(c.command) == "plug" ? 1 : 0);
  }
}

TEST_F(SimHandsetTest, FocusKeyGoesFromTheHandsetToTheClientAndIsAcknowledged) {
  EventLog log;
  FakeClientTransport transport(log);
  handset->SetPorts({&transport, nullptr, nullptr, nullptr});
  ReportWindow target;
  target.handset = handset.get();
  ASSERT_EQ(handset->OpenDevice(), 1);
  ASSERT_EQ(handset->StartDevice(target.window), 1);
  ASSERT_EQ(handset->StartReportThread(), 1);
  ASSERT_EQ(sim.Send("reset"), "ok");
  ASSERT_EQ(sim.Send("key 83"), "ok");
  ASSERT_TRUE(target.WaitForMessages(1));
  ASSERT_TRUE(log.WaitFor("send FOCUS"));
  handset.reset();  // joins the report thread, so the acknowledgement is in
  EXPECT_EQ(EntriesStartingWith(sim.Transcript(), {"SendCode"}), (std::vector<std::string>{"SendCode 80"}));
}

}  // namespace
}  // namespace tolvane::testing
