#pragma once
// The handset's lamps and status icon, as the one-byte codes the program
// sends with SendCode set them: 158 rings, 31 / 35 / 32 show a call in
// progress, on hold, finished (and stop the ring), 152 an outgoing call
// placed, 46 / 47 mute off / on, 114-121 the user's own status, 40 / 41 key
// tone on / off, 159 the client's prompt, 62 / 63 a screen ready to be asked
// for, 6 the session ready, 0x50 + n the acknowledgement of key report n and
// 0x20 + n (n 4-7) the refusal of display request n. Plain C++.
#include <cstdint>
#include <string>

namespace simhandset {

enum class CallLamp { kIdle, kDialling, kActive, kHold };

struct HandsetIndicators {
  bool ring = false;
  CallLamp call = CallLamp::kIdle;
  bool mute = false;
  bool keyTone = false;
  bool prompt = false;      // the client's prompt was signalled; cleared by the next call code
  bool ready = false;       // the program said the session is ready
  int status = -1;          // 114-121, -1 before the first
  int lastAck = -1;         // sequence number of the last acknowledged key report
  int lastRefusal = -1;     // sequence number of the last refused display request
  int screenReady = 0;      // 62 or 63 while a screen waits to be asked for, else 0

  void Apply(std::uint8_t code);
  // "ring=1 call=active mute=0 tone=1 prompt=0 status=ONLINE ack=2 refused=-"
  std::string Describe() const;
};

const char* CallLampName(CallLamp lamp);
// "DND", "ONLINE", ... for 114-121; "-" for anything else.
const char* StatusName(int code);

}  // namespace simhandset
