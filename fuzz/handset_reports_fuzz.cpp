// A handset that reports anything: each input is a sequence of 32-bit key
// reports (little-endian), taken by the report handling in order, with the
// real call store and contact list to browse, a recording library instance
// and pauses that return at once.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/fakes/event_log.h"
#include "core/fakes/fake_client_transport.h"
#include "core/fakes/recording_hid_ctrl.h"
#include "core/fakes/recording_ports.h"
#include "core/fakes/recording_session.h"
#include "handset/handset_control.h"
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
  for (std::size_t at = 0; at + 4 <= size; at += 4) {
    const std::uint32_t report = static_cast<std::uint32_t>(data[at]) | static_cast<std::uint32_t>(data[at + 1]) << 8 |
                                 static_cast<std::uint32_t>(data[at + 2]) << 16 |
                                 static_cast<std::uint32_t>(data[at + 3]) << 24;
    handset.ProcessReport(report);
  }
  return 0;  // the destructor joins the indicator thread a display request started
}
