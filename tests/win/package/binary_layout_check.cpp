// The records and tables the 32-bit program hands to Windows and to the two
// vendor libraries, checked where they are fixed: when this file is compiled
// for i686. check_shipped_binaries.sh compiles it and reads the two probe
// classes' operation tables out of the object file, since the order of a
// table and the calling convention of its slots are not visible to
// static_assert.
#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <cstddef>
#include <type_traits>

#include "common/bounded_text.h"
#include "interfaces/display_renderer.h"
#include "interfaces/hid_ctrl_library.h"

#if defined(_WIN64) || !defined(_WIN32)
#error "the layout of the shipped program is the 32-bit one: compile for i686"
#endif

// The tray icon record, handed to Shell_NotifyIconA with cbSize 488: the
// layout that carries the state and balloon fields and ends before guidItem.
static_assert(NOTIFYICONDATAA_V2_SIZE == 488);
static_assert(offsetof(NOTIFYICONDATAA, guidItem) == 488);
static_assert(offsetof(NOTIFYICONDATAA, hWnd) == 4);
static_assert(offsetof(NOTIFYICONDATAA, uID) == 8);
static_assert(offsetof(NOTIFYICONDATAA, uFlags) == 12);
static_assert(offsetof(NOTIFYICONDATAA, uCallbackMessage) == 16);
static_assert(offsetof(NOTIFYICONDATAA, hIcon) == 20);
static_assert(offsetof(NOTIFYICONDATAA, szTip) == 24);
static_assert(sizeof(NOTIFYICONDATAA::szTip) == 128);
static_assert(offsetof(NOTIFYICONDATAA, dwState) == 152);
static_assert(offsetof(NOTIFYICONDATAA, szInfo) == 160);
static_assert(offsetof(NOTIFYICONDATAA, szInfoTitle) == 420);
static_assert(offsetof(NOTIFYICONDATAA, dwInfoFlags) == 484);

// The mixer control found on the handset's mixer device.
static_assert(sizeof(MIXERCONTROLA) == 148);
static_assert(offsetof(MIXERCONTROLA, szName) == 36);
static_assert(offsetof(MIXERCONTROLA, Bounds) == 100);
static_assert(offsetof(MIXERCONTROLA, Metrics) == 124);
// The change notification the mixer posts to the main window.
static_assert(MM_MIXM_CONTROL_CHANGE == 0x3D1);

// The report message of the handset library.
static_assert(tolvane::kHandsetReportMessage == WM_USER + 100);

// Both vendor instances are a bare pointer to their operation table: no
// data of ours in front of it, and no destructor slots in the table.
static_assert(sizeof(tolvane::QorHidCtrl) == sizeof(void*));
static_assert(std::is_polymorphic_v<tolvane::QorHidCtrl>);
static_assert(!std::has_virtual_destructor_v<tolvane::QorHidCtrl>);
static_assert(sizeof(tolvane::DisplayRenderer) == sizeof(void*));
static_assert(std::is_polymorphic_v<tolvane::DisplayRenderer>);
static_assert(!std::has_virtual_destructor_v<tolvane::DisplayRenderer>);

// The texts the renderer writes into the caller's buffers.
static_assert(tolvane::kTextBufferSize == 255);

// Probes whose operation tables the check script reads: one entry per slot,
// in slot order, each a standard-call function whose decorated name carries
// its argument bytes (the instance pointer included).
namespace tolvane::layout_probe {

class HidProbe final : public QorHidCtrl {
 public:
  int TOLVANE_STDCALL Reserved0() override { return 0; }
  int TOLVANE_STDCALL CloseDevice() override { return 0; }
  int TOLVANE_STDCALL Reserved2() override { return 0; }
  int TOLVANE_STDCALL OpenDevice() override { return 0; }
  int TOLVANE_STDCALL ShutdownDevice() override { return 0; }
  int TOLVANE_STDCALL StartDevice(WindowHandle) override { return 0; }
  int TOLVANE_STDCALL AbortStart() override { return 0; }
  int TOLVANE_STDCALL Reserved7() override { return 0; }
  int TOLVANE_STDCALL SendCode(std::uint8_t) override { return 0; }
  int TOLVANE_STDCALL SendDisplayChar(int, int) override { return 0; }
  int TOLVANE_STDCALL WriteDeviceSetting(int, int, int) override { return 0; }
  int TOLVANE_STDCALL Reserved11() override { return 0; }
  int TOLVANE_STDCALL SetDisplayRenderer(DisplayRenderer*) override { return 0; }
};

class RendererProbe final : public DisplayRenderer {
 public:
  int TOLVANE_STDCALL InitRenderer(const char*) override { return 0; }
  int TOLVANE_STDCALL Reserved1() override { return 0; }
  int TOLVANE_STDCALL ShowText(const char*) override { return 0; }
  int TOLVANE_STDCALL FinishDisplay() override { return 0; }
  int TOLVANE_STDCALL FromSkypeText(const char*, char*) override { return 0; }
  int TOLVANE_STDCALL ToSkypeText(const char*, char*) override { return 0; }
  int TOLVANE_STDCALL ShowBalance(int) override { return 0; }
  int TOLVANE_STDCALL Reserved7() override { return 0; }
  int TOLVANE_STDCALL SetHandsetLibrary(QorHidCtrl*) override { return 0; }
  int TOLVANE_STDCALL Reserved9() override { return 0; }
  int TOLVANE_STDCALL CancelDisplay(int) override { return 0; }
  int TOLVANE_STDCALL SetFontFileSupport(int) override { return 0; }
};

// Emits both tables into the object file.
QorHidCtrl* MakeHidProbe() { return new HidProbe; }
DisplayRenderer* MakeRendererProbe() { return new RendererProbe; }

}  // namespace tolvane::layout_probe
