// The hidden main window inside the test process, with a real SkypeLink and
// the Win32 transport: the attach handshake and the session's set-up, the
// client's lines reaching the incoming worker, the checks on WM_COPYDATA,
// handset reports, device and power events kept for the handset's presence
// until start-up attaches it, and the exit with its detach. The client's API
// window is played by a window of the same process on the same UI thread.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <dbt.h>

#include "fake_client_window.h"
#include "core/fakes/event_log.h"
#include "core/fakes/recording_presence_ports.h"
#include "handset/handset_control.h"
#include "shell/main_window_win.h"
#include "interfaces/client_transport.h"
#include "session/client_transport_win.h"
#include "interfaces/notification_handler.h"
#include "session/skype_link.h"
#include "ui_thread.h"

namespace tolvane {
namespace {

using testing::EventLog;
using testing::FakeClientWindow;
using testing::PresenceFakes;
using testing::UiThread;
using namespace std::chrono_literals;

constexpr char kClassName[] = "TolvaneTestMainWindow";

// The incoming worker's consumer: "line <text>".
class RecordingHandler final : public NotificationHandler {
 public:
  explicit RecordingHandler(EventLog& log) : log_(log) {}
  void HandleLine(const std::string& line) override { log_.Add("line " + line); }
  void CheckConfirmationWindow() override {}
  bool WatchesClientWindows() const override { return false; }
  void ShowMissedCalls(int) override {}

 private:
  EventLog& log_;
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    messages = *RegisterSkypeApiMessages();
    transport = std::make_unique<Win32ClientTransport>(messages);
    handset.SetConnected(1 == 1);
    SkypeLink::Ports ports;
    ports.transport = transport.get();
    ports.handset = &handset;
    link = std::make_unique<SkypeLink>(ports);
    link->SetNotificationHandler(&handler);
    HandsetControl::Ports handsetPorts;
    handsetPorts.transport = transport.get();
    handsetPorts.link = link.get();
    handset.SetPorts(handsetPorts);

    ui.Invoke([this] {
      const HINSTANCE instance = GetModuleHandleA(nullptr);
      MainWindow::RegisterMainClass(instance, kClassName, "");  // once per process is enough
      MainWindow::Parts parts;
      parts.instance = instance;
      parts.link = link.get();
      parts.transport = transport.get();
      parts.handset = &handset;
      parts.findClientWindows = [this] { log.Add("find client windows"); };
      parts.volumeKey = [this](bool up) { log.Add(up ? "volume up" : "volume down"); };
      window = MainWindow::Create(parts, kClassName, "Tolvane test");
      client = std::make_unique<FakeClientWindow>(log, messages.discover);
      stranger = std::make_unique<FakeClientWindow>(strangerLog, messages.discover);
    });
    ASSERT_NE(window, nullptr);
    mainWindow = window->Handle();
  }

  void TearDown() override {
    link->Shutdown();
    ui.Invoke([this] {
      window.reset();
      client.reset();
      stranger.reset();
    });
  }

  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(mainWindow, message, wParam, lParam);
  }
  LRESULT SendText(HWND sender, const std::string& text) {
    COPYDATASTRUCT block{0, static_cast<DWORD>(text.size() + 1), const_cast<char*>(text.c_str())};
    return Send(WM_COPYDATA, reinterpret_cast<WPARAM>(sender), reinterpret_cast<LPARAM>(&block));
  }
  LRESULT Attach(LPARAM status) {
    return Send(messages.attach, reinterpret_cast<WPARAM>(client->Handle()), status);
  }

  UiThread ui;
  EventLog log;
  EventLog strangerLog;
  SkypeApiMessages messages;
  std::unique_ptr<Win32ClientTransport> transport;
  HandsetControl handset{nullptr};
  RecordingHandler handler{log};
  std::unique_ptr<SkypeLink> link;
  std::unique_ptr<MainWindow> window;
  std::unique_ptr<FakeClientWindow> client;
  std::unique_ptr<FakeClientWindow> stranger;
  HWND mainWindow = nullptr;
};

TEST_F(MainWindowTest, WindowIsTopLevelSoTheDiscoverBroadcastReachesIt) {
  EXPECT_EQ(GetAncestor(mainWindow, GA_PARENT), GetDesktopWindow());
  EXPECT_FALSE(IsWindowVisible(mainWindow));
  EXPECT_EQ(transport->MainWindow(), mainWindow);
}

TEST_F(MainWindowTest, AttachSuccessKeepsTheClientWindowAndSetsUpTheSessionHalfASecondLater) {
  const auto attached = FakeClientWindow::Clock::now();
  EXPECT_EQ(Attach(MainWindow::kAttachSuccess), 1);
  EXPECT_EQ(transport->ClientWindow(), client->Handle());
  EXPECT_EQ(log.Count("find client windows"), 1u);

  ASSERT_TRUE(log.WaitForMatching("got ", 4));
  EXPECT_EQ(log.Matching("got "),
            (EventLog::Events{"got PROTOCOL 5", "got FOCUS", "got SEARCH FRIENDS", "got SEARCH CALLS"}));
  // Every line travels as its text with the NUL, and no data word.
  EXPECT_EQ(log.Matching("block ").front(), "block dwData=0 cbData=11");
  const auto waited = client->FirstSeen("got PROTOCOL 5") - attached;
  EXPECT_GE(waited, 450ms);
  EXPECT_LT(waited, 5s);
}

TEST_F(MainWindowTest, ApiAvailableRediscoversOnlyWhileTheHandsetIsConnected) {
  handset.SetConnected(0 == 1);
  EXPECT_EQ(Attach(MainWindow::kAttachApiAvailable), 1);
  handset.SetConnected(1 == 1);
  EXPECT_EQ(Attach(MainWindow::kAttachApiAvailable), 1);
  ASSERT_TRUE(log.WaitFor("discover"));
  // Every action has run once the session is shut down.
  link->Shutdown();
  EXPECT_EQ(log.Count("discover"), 1u);
}

TEST_F(MainWindowTest, OtherAttachStatusesChangeNothing) {
  for (LPARAM status : {1, 2, 3}) {
    EXPECT_EQ(Attach(status), 0) << status;
  }
  EXPECT_EQ(transport->ClientWindow(), nullptr);
  EXPECT_EQ(log.Count("find client windows"), 0u);
}

TEST_F(MainWindowTest, ClientLinesReachTheIncomingWorkerInOrder) {
  Attach(MainWindow::kAttachSuccess);
  EventLog::Events sent;
  for (int i = 0; i < 200; ++i) {
    sent.push_back("CALL " + std::to_string(i) + " STATUS RINGING");
    EXPECT_EQ(SendText(client->Handle(), sent.back()), TRUE);
  }
  ASSERT_TRUE(log.WaitForMatching("line ", sent.size()));
  EventLog::Events expected;
  for (const std::string& line : sent) expected.push_back("line " + line);
  EXPECT_EQ(log.Matching("line "), expected);
}

TEST_F(MainWindowTest, LinesFromAnotherWindowAreLeftToTheDefaultHandling) {
  Attach(MainWindow::kAttachSuccess);
  EXPECT_EQ(SendText(stranger->Handle(), "CALL 1 STATUS RINGING"), FALSE);
  EXPECT_EQ(SendText(client->Handle(), "marker"), TRUE);
  ASSERT_TRUE(log.WaitFor("line marker"));
  EXPECT_EQ(log.Matching("line "), EventLog::Events{"line marker"});
}

TEST_F(MainWindowTest, LinesBeforeTheAttachAreNotTakenFromAnyone) {
  EXPECT_EQ(SendText(client->Handle(), "CALL 1 STATUS RINGING"), FALSE);
  EXPECT_EQ(SendText(nullptr, "CALL 1 STATUS RINGING"), FALSE);
}

TEST_F(MainWindowTest, LinesWhileNoHandsetIsConnectedAreTakenAndDropped) {
  Attach(MainWindow::kAttachSuccess);
  handset.SetConnected(0 == 1);
  EXPECT_EQ(SendText(client->Handle(), "dropped"), TRUE);
  handset.SetConnected(1 == 1);
  EXPECT_EQ(SendText(client->Handle(), "kept"), TRUE);
  ASSERT_TRUE(log.WaitFor("line kept"));
  EXPECT_EQ(log.Matching("line "), EventLog::Events{"line kept"});
}

// A block whose text has no NUL ends exactly where the block ends: its last
// byte is the last readable byte of a page, so reading one byte further
// would fault.
TEST_F(MainWindowTest, BrokenBlocksAreReadOnlyWithinTheirSize) {
  Attach(MainWindow::kAttachSuccess);
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  const DWORD page = system.dwPageSize;
  auto* pages = static_cast<char*>(VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  ASSERT_NE(pages, nullptr);
  DWORD old = 0;
  ASSERT_TRUE(VirtualProtect(pages + page, page, PAGE_NOACCESS, &old));
  char* text = pages + page - 4;
  std::memcpy(text, "PING", 4);

  const WPARAM from = reinterpret_cast<WPARAM>(client->Handle());
  COPYDATASTRUCT noNul{0, 4, text};
  COPYDATASTRUCT empty{0, 0, text};
  COPYDATASTRUCT noData{0, 16, nullptr};
  EXPECT_EQ(Send(WM_COPYDATA, from, reinterpret_cast<LPARAM>(&empty)), TRUE);
  EXPECT_EQ(Send(WM_COPYDATA, from, reinterpret_cast<LPARAM>(&noData)), TRUE);
  EXPECT_EQ(Send(WM_COPYDATA, from, 0), TRUE);
  EXPECT_EQ(Send(WM_COPYDATA, from, reinterpret_cast<LPARAM>(&noNul)), TRUE);
  ASSERT_TRUE(log.WaitFor("line PING"));
  EXPECT_EQ(log.Matching("line "), EventLog::Events{"line PING"});
  VirtualFree(pages, 0, MEM_RELEASE);
}

// The refused line is not sent again, and the line queued behind it goes
// out without waiting for another command.
TEST_F(MainWindowTest, ARefusedLineIsLostAndTheLineBehindItIsSent) {
  Attach(MainWindow::kAttachSuccess);
  ASSERT_TRUE(log.WaitFor("got SEARCH CALLS"));
  client->RefuseNext();
  link->QueueCommand("GET USERSTATUS");
  link->QueueCommand("GET CONNSTATUS");
  ASSERT_TRUE(log.WaitFor("got GET CONNSTATUS"));
  EXPECT_EQ(log.MatchingAny({"got GET", "refused"}),
            (EventLog::Events{"refused GET USERSTATUS", "got GET CONNSTATUS"}));
}

TEST_F(MainWindowTest, HandsetVolumeKeysGoToTheSpeakerAndNotToTheReportQueue) {
  Send(kHandsetReportMessage, WPARAM{1} << 16, 0);
  Send(kHandsetReportMessage, WPARAM{1} << 17, 0);
  Send(kHandsetReportMessage, (WPARAM{1} << 16) | (WPARAM{1} << 17), 0);
  Send(kHandsetReportMessage, 0x1F01, 0);
  EXPECT_EQ(log.Matching("volume "), (EventLog::Events{"volume up", "volume down", "volume up"}));
}

TEST_F(MainWindowTest, ExitWhileAttachedResetsTheClientDetachesAndThenCloses) {
  Attach(MainWindow::kAttachSuccess);
  ASSERT_TRUE(log.WaitFor("got SEARCH CALLS"));
  PostMessageA(mainWindow, WM_COMMAND, MainWindow::kCommandExit, 0);
  ASSERT_TRUE(ui.WaitForQuit());
  EXPECT_EQ(log.MatchingAny({"got SET", "detach"}),
            (EventLog::Events{"got SET AUDIO_IN", "got SET AUDIO_OUT", "got SET RINGER", "detach"}));
  EXPECT_GE(client->FirstSeen("detach") - client->FirstSeen("got SET AUDIO_IN"), 150ms);
  EXPECT_EQ(transport->ClientWindow(), nullptr);
  EXPECT_FALSE(IsWindow(mainWindow));
  EXPECT_EQ(transport->MainWindow(), nullptr);
}

// Start-up hands the window's device and power events to the presence once
// the handset's state is settled; what arrived before (while the shell or
// the handset kept start-up waiting) reaches the presence then, in order.
TEST_F(MainWindowTest, DeviceAndPowerEventsBeforeThePresenceReachItWhenItComes) {
  PresenceFakes fakes{log};
  HandsetPresence presence(fakes.Parts(&handset, link.get(), mainWindow, 4));

  Send(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0);
  Send(WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
  EXPECT_TRUE(log.MatchingAny({"arm", "disarm", "mixers"}).empty()) << "no presence yet";
  ui.Invoke([&] { window->SetPresence(&presence); });
  EXPECT_EQ(log.MatchingAny({"arm", "disarm", "mixers"}),
            (EventLog::Events{"arm removal 300", "mixers close", "disarm arrival", "disarm removal"}));
  EXPECT_FALSE(handset.IsConnected()) << "the suspend let go of the handset";
  ui.Invoke([&] { window->SetPresence(nullptr); });
}

TEST_F(MainWindowTest, ExitWhileUnattachedClosesAtOnce) {
  PostMessageA(mainWindow, WM_COMMAND, MainWindow::kCommandExit, 0);
  ASSERT_TRUE(ui.WaitForQuit());
  EXPECT_FALSE(IsWindow(mainWindow));
  EXPECT_EQ(log.Count("detach"), 0u);
}

}  // namespace
}  // namespace tolvane
