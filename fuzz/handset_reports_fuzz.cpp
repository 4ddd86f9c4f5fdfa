// A handset that reports anything: each input is a sequence of 32-bit key
// reports (little-endian), queued as the main window queues them and taken
// by the report thread in order, with the real call store and contact list
// to browse, a recording library instance and pauses that return at once.
// An identification report goes last (the handset may send one at any time;
// it is always taken): once it has been acted on, every report of the input
// has been, so each input runs whole before the next.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "core/fakes/event_log.h"
#include "core/fakes/fake_client_transport.h"
#include "core/fakes/recording_hid_ctrl.h"
#include "core/fakes/recording_ports.h"
#include "core/fakes/recording_session.h"
#include "handset/handset_control.h"
#include "interfaces/handset_codes.h"
#include "phone_state/contact_list.h"
#include "phone_state/phone_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tolvane;
  using namespace tolvane::testing;
  EventLog log;
  FakeClientTransport transport{log};
  RecordingSession session{log};
  RecordingDelay pacing{log};
  PhoneState phone;
  ContactList contacts{session};
  for (const char* handle : {"echo123", "alice.example", "bob"}) contacts.AddContact(handle, 0);
  phone.AddHistoryCall(41, 0);
  phone.AddHistoryCall(42, 1);
  RecordingHidCtrl library{log};
  HandsetControl handset{std::make_unique<BorrowedHandsetLibrary>(&library)};
  HandsetControl::Ports ports;
  ports.transport = &transport;
  ports.link = &session;
  ports.phoneState = &phone;
  ports.contactList = &contacts;
  ports.pacing = &pacing;
  handset.SetPorts(ports);
  handset.SetConnected(true);
  handset.StartReportThread();
  std::size_t identifications = 1;
  for (std::size_t at = 0; at + 4 <= size; at += 4) {
    const std::uint32_t report = static_cast<std::uint32_t>(data[at]) | static_cast<std::uint32_t>(data[at + 1]) << 8 |
                                 static_cast<std::uint32_t>(data[at + 2]) << 16 |
                                 static_cast<std::uint32_t>(data[at + 3]) << 24;
    const std::uint8_t key = static_cast<std::uint8_t>(report >> 8);
    if (key == kKeyIdentifyWithDisplay || key == kKeyIdentifyWithoutDisplay) ++identifications;
    handset.QueueReport(report, 0);
  }
  handset.QueueReport(static_cast<std::uint32_t>(kKeyIdentifyWithoutDisplay) << 8, 0);
  // Each identification writes the gain setting once; the log is read on from
  // where the last look ended.
  std::size_t read = 0;
  std::size_t written = 0;
  if (!log.WaitUntil([&](const EventLog::Events& all) {
        for (; read < all.size(); ++read) written += all[read].starts_with("setting 14 128") ? 1 : 0;
        return written >= identifications;
      }, std::chrono::minutes(1))) {
    std::abort();
  }
  return 0;  // the destructor joins the report thread and any indicator a display request started
}
