#pragma once
// What Windows tells the desktop when the handset is plugged in or pulled
// out: WM_DEVICECHANGE to every top-level window. A program that asked for
// the HID interface class (RegisterDeviceNotification) hears of each of the
// handset's HID interfaces arriving or going; everybody hears that the
// device tree changed.
namespace simhandset {

// Sent, not posted, so that each notice outlives its handling; returns once
// every top-level window has had it (or the time-out per window passed).
void BroadcastDeviceNotices(bool plugged);

}  // namespace simhandset
