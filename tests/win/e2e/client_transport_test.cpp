// The Win32 wire to the client: how a line is packed, what counts as refused
// (the client's 0, no client, a client that stops answering), the discover
// broadcast and the detach; and how a received block is read.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "fake_client_window.h"
#include "core/fakes/event_log.h"
#include "session/client_transport_win.h"
#include "ui_thread.h"

namespace tolvane {
namespace {

using testing::EventLog;
using testing::FakeClientWindow;
using testing::UiThread;
using namespace std::chrono_literals;

struct BlockCase {
  const char* name;
  const char* data;
  DWORD size;
  std::optional<std::string> text;
};

TEST(TextFromCopyData, ReadsUpToTheFirstNulOrTheEndOfTheBlock) {
  const BlockCase cases[] = {
      {"with its NUL", "PROTOCOL 5", 11, "PROTOCOL 5"},
      {"without a NUL", "PROTOCOL 5", 8, "PROTOCOL"},
      {"NUL inside", "AB\0CD", 6, "AB"},
      {"only the NUL", "", 1, ""},
      {"size 0", "PING", 0, std::nullopt},
      {"no data", nullptr, 12, std::nullopt},
  };
  for (const BlockCase& c : cases) {
    COPYDATASTRUCT block{0, c.size, const_cast<char*>(c.data)};
    EXPECT_EQ(TextFromCopyData(&block), c.text) << c.name;
  }
  EXPECT_EQ(TextFromCopyData(nullptr), std::nullopt);
}

TEST(RegisterSkypeApiMessages, GivesTwoDistinctSharedMessages) {
  const std::optional<SkypeApiMessages> messages = RegisterSkypeApiMessages();
  ASSERT_TRUE(messages);
  EXPECT_NE(messages->attach, messages->discover);
  EXPECT_EQ(messages->attach, RegisterWindowMessageA("SkypeControlAPIAttach"));
  EXPECT_GE(messages->discover, 0xC000u);
}

class ClientTransportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    messages = *RegisterSkypeApiMessages();
    transport = std::make_unique<Win32ClientTransport>(messages, 300ms);
    ui.Invoke([this] {
      client = std::make_unique<FakeClientWindow>(log, messages.discover);
      sender = std::make_unique<FakeClientWindow>(senderLog, messages.discover);
    });
    transport->SetMainWindow(sender->Handle());
  }
  void TearDown() override {
    ui.Invoke([this] {
      client.reset();
      sender.reset();
    });
  }

  UiThread ui;
  EventLog log;
  EventLog senderLog;
  SkypeApiMessages messages;
  std::unique_ptr<Win32ClientTransport> transport;
  std::unique_ptr<FakeClientWindow> client;
  std::unique_ptr<FakeClientWindow> sender;
};

TEST_F(ClientTransportTest, WithoutAClientNothingIsSentAndTheLineCountsAsRefused) {
  EXPECT_FALSE(transport->IsAttached());
  EXPECT_FALSE(transport->SendLine("PING"));
  EXPECT_TRUE(log.All().empty());
}

TEST_F(ClientTransportTest, ALineTravelsWithItsNulAndTheClientsAnswerDecides) {
  transport->SetClientWindow(client->Handle());
  EXPECT_TRUE(transport->SendLine("SEARCH FRIENDS"));
  client->RefuseNext();
  EXPECT_FALSE(transport->SendLine("SEARCH CALLS"));
  EXPECT_EQ(log.All(), (EventLog::Events{"block dwData=0 cbData=15", "got SEARCH FRIENDS",
                                         "block dwData=0 cbData=13", "refused SEARCH CALLS"}));
}

TEST_F(ClientTransportTest, AClientThatStopsAnsweringMakesTheLineRefused) {
  transport->SetClientWindow(client->Handle());
  client->StallNext(3s);
  const auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(transport->SendLine("FOCUS"));
  EXPECT_LT(std::chrono::steady_clock::now() - started, 2500ms);
  // The client takes it late; the next line goes through again.
  EXPECT_TRUE(log.WaitFor("got FOCUS"));
  EXPECT_TRUE(transport->SendLine("PING"));
}

TEST_F(ClientTransportTest, TheDiscoverBroadcastReachesTopLevelWindows) {
  transport->BroadcastDiscover();
  EXPECT_EQ(log.Count("discover"), 1u);
}

TEST_F(ClientTransportTest, DetachTellsTheClientOnceAndForgetsIt) {
  transport->SetClientWindow(client->Handle());
  transport->SendDetach();
  EXPECT_FALSE(transport->IsAttached());
  transport->SendDetach();
  EXPECT_EQ(log.Count("detach"), 1u);
  EXPECT_FALSE(transport->SendLine("PING"));
}

}  // namespace
}  // namespace tolvane
