#pragma once
// A handset report as the library posts it (wParam of message 0x464) and its
// split into the fields the report thread acts on.
#include <cstdint>

namespace tolvane {

// Report bits: 0-7 sequence number, 8-15 key code, 16 volume up, 17 volume
// down. Sequence numbers 0-3 number key reports cyclically; 4-7 mark display
// requests.
inline constexpr std::uint32_t kReportVolumeUp = 1u << 16;
inline constexpr std::uint32_t kReportVolumeDown = 1u << 17;
// lParam value with which the library marks a report to be ignored.
inline constexpr std::intptr_t kReportIgnored = -1;

struct KeyRecord {
  std::uint8_t flags = 0;     // report bits 16-23
  std::uint8_t key = 0;       // report bits 8-15
  std::uint8_t sequence = 0;  // report bits 0-7
};

constexpr KeyRecord SplitReport(std::uint32_t report) {
  return KeyRecord{static_cast<std::uint8_t>((report >> 16) & 0xFFu),
                   static_cast<std::uint8_t>((report >> 8) & 0xFFu),
                   static_cast<std::uint8_t>(report & 0xFFu)};
}

}  // namespace tolvane
