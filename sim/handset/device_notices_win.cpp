#include "device_notices_win.h"

#include <windows.h>

#include <dbt.h>
// MinGW's hidsdi.h declares its functions without C linkage.
extern "C" {
#include <hidsdi.h>
}

#include <cstddef>
#include <cstdio>

namespace simhandset {
namespace {

// The handset's two HID collections (keys and display), each an interface
// of its own: plugging it in makes a burst of two arrivals.
constexpr int kInterfaces = 2;
// A window that does not answer in this time is skipped, as Windows skips a
// hung program.
constexpr UINT kPerWindowTimeoutMs = 2000;

// DEV_BROADCAST_DEVICEINTERFACE_A with room for the interface's path.
struct InterfaceNotice {
  DEV_BROADCAST_DEVICEINTERFACE_A header;
  char rest[160];
};

void Broadcast(WPARAM event, LPARAM detail) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(HWND_BROADCAST, WM_DEVICECHANGE, event, detail, SMTO_ABORTIFHUNG, kPerWindowTimeoutMs,
                      &result);
}

void BroadcastInterface(WPARAM event, int collection) {
  InterfaceNotice notice{};
  notice.header.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  HidD_GetHidGuid(&notice.header.dbcc_classguid);
  const GUID& g = notice.header.dbcc_classguid;
  // The name runs on past the header's one-character array into `rest`.
  char* name = notice.header.dbcc_name;
  const int length = std::snprintf(
      name, sizeof notice - offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name),
      "\\\\?\\HID#VID_0D8C&PID_0106&MI_03&COL%02d#7&2f1c3a0&0&%04d#{%08lx-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x}",
      collection, collection - 1, static_cast<unsigned long>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
      g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
  notice.header.dbcc_size =
      static_cast<DWORD>(offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name) + static_cast<std::size_t>(length) + 1);
  Broadcast(event, reinterpret_cast<LPARAM>(&notice));
}

}  // namespace

void BroadcastDeviceNotices(bool plugged) {
  // The order Windows keeps: the device tree changes before a new device's
  // interfaces are announced, and after a removed one's are gone.
  if (plugged) Broadcast(DBT_DEVNODES_CHANGED, 0);
  for (int collection = 1; collection <= kInterfaces; ++collection) {
    BroadcastInterface(plugged ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE, collection);
  }
  if (!plugged) Broadcast(DBT_DEVNODES_CHANGED, 0);
}

}  // namespace simhandset
