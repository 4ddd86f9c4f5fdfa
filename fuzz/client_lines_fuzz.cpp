// A client that sends anything: each input is a burst of notification lines
// (cut at line breaks, as the transport queues them one by one) through the
// line cutting into the whole dispatcher, with the real call store and
// contact list behind it and recording fakes for the session and handset.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/fakes/event_log.h"
#include "core/fakes/fake_client_windows.h"
#include "core/fakes/recording_handset.h"
#include "core/fakes/recording_ports.h"
#include "core/fakes/recording_renderer.h"
#include "core/fakes/recording_session.h"
#include "dispatcher/notification_dispatcher.h"
#include "phone_state/contact_list.h"
#include "phone_state/phone_state.h"

namespace {

using namespace tolvane;
using namespace tolvane::testing;

struct Rig {
  EventLog log;
  RecordingSession session{log};
  RecordingHandset handset{log};
  PhoneState phone;
  ContactList contacts{session};
  FakeClientWindows windows;
  RecordingDelay delay{log};
  RecordingRenderer renderer{log};
  NotificationDispatcher dispatcher{
      NotificationDispatcher::Ports{&session, &handset, &phone, &contacts, &windows, &delay}};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Rig rig;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // The first byte picks the settings and windows a run starts with.
  if (!input.empty()) {
    const auto choice = static_cast<unsigned char>(input.front());
    rig.session.renderer.store((choice & 1) != 0 ? &rig.renderer : nullptr);
    rig.session.attached.store((choice & 2) != 0);
    rig.session.historyLoaded.store((choice & 4) != 0);
    rig.handset.Settings().NotSupportedFont.store((choice & 8) != 0 ? 1 : 0);
    rig.handset.Settings().SupportContactFocus.store((choice & 16) != 0 ? 1 : 0);
    rig.handset.Settings().SupportInterruptRingON.store((choice & 32) != 0 ? 1 : 0);
    if ((choice & 64) != 0) rig.windows.Open(kClientConfirmationWindowClass);
    if ((choice & 128) != 0) rig.windows.Open(kClientErrorWindowClass);
  }
  std::size_t at = input.empty() ? 0 : 1;
  while (at <= input.size()) {
    std::size_t end = input.find('\n', at);
    if (end == std::string_view::npos) end = input.size();
    // The transport copies a line up to its terminator.
    std::string line(input.substr(at, end - at));
    line.resize(std::char_traits<char>::length(line.c_str()));
    rig.dispatcher.HandleLine(line);
    rig.dispatcher.CheckConfirmationWindow();
    at = end + 1;
  }
  return 0;
}
