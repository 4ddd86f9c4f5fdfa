#include "handset_indicators.h"

namespace simhandset {

void HandsetIndicators::Apply(std::uint8_t code) {
  switch (code) {
    case 158: ring = true; prompt = false; return;
    case 31: ring = false; call = CallLamp::kActive; prompt = false; return;
    case 35: ring = false; call = CallLamp::kHold; return;
    case 32: ring = false; call = CallLamp::kIdle; return;
    case 152: ring = false; call = CallLamp::kDialling; prompt = false; return;
    case 46: mute = false; return;
    case 47: mute = true; return;
    case 40: keyTone = true; return;
    case 41: keyTone = false; return;
    case 159: prompt = true; return;
    case 62:
    case 63: screenReady = code; return;
    case 6: ready = true; return;
    default: break;
  }
  if (code >= 114 && code <= 121) {
    status = code;
  } else if (code >= 0x50 && code <= 0x53) {
    lastAck = code - 0x50;
  } else if (code >= 0x24 && code <= 0x27) {
    lastRefusal = code - 0x20;
  }
}

std::string HandsetIndicators::Describe() const {
  const auto number = [](int value) { return value < 0 ? std::string("-") : std::to_string(value); };
  return std::string("ring=") + (ring ? "1" : "0") + " call=" + CallLampName(call) + " mute=" + (mute ? "1" : "0") +
         " tone=" + (keyTone ? "1" : "0") + " prompt=" + (prompt ? "1" : "0") + " status=" + StatusName(status) +
         " ack=" + number(lastAck) + " refused=" + number(lastRefusal);
}

const char* CallLampName(CallLamp lamp) {
  switch (lamp) {
    case CallLamp::kDialling: return "dialling";
    case CallLamp::kActive: return "active";
    case CallLamp::kHold: return "hold";
    case CallLamp::kIdle: break;
  }
  return "idle";
}

const char* StatusName(int code) {
  static const char* const kNames[] = {"DND", "ONLINE", "OFFLINE", "SKYPEME", "AWAY", "NA", "INVISIBLE", "SKYPEOUT"};
  return code >= 114 && code <= 121 ? kNames[code - 114] : "-";
}

}  // namespace simhandset
