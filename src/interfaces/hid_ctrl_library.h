#pragma once
// Binary interface of the handset-control library QorHIDCtrl.dll: the two
// entry points and the instance's operation table. The instance is COM-like
// (no destructor slot): the table's first entry is slot 0, every operation is
// standard-call with the instance as first argument, and 0 means success.
// Declared once here so that the vendor's 32-bit library can be dropped in.
#include <cstdint>

#include "common/abi.h"

namespace tolvane {

class DisplayRenderer;

class QorHidCtrl {
 public:
  virtual int TOLVANE_STDCALL Reserved0() = 0;                         // 0, never called
  virtual int TOLVANE_STDCALL CloseDevice() = 0;                       // 1
  virtual int TOLVANE_STDCALL Reserved2() = 0;                         // 2, never called
  virtual int TOLVANE_STDCALL OpenDevice() = 0;                        // 3, 0 = present and opened
  virtual int TOLVANE_STDCALL ShutdownDevice() = 0;                    // 4
  virtual int TOLVANE_STDCALL StartDevice(WindowHandle notify) = 0;    // 5
  virtual int TOLVANE_STDCALL AbortStart() = 0;                        // 6
  virtual int TOLVANE_STDCALL Reserved7() = 0;                         // 7, never called
  virtual int TOLVANE_STDCALL SendCode(std::uint8_t code) = 0;         // 8
  virtual int TOLVANE_STDCALL SendDisplayChar(int code, int parameter) = 0;  // 9
  virtual int TOLVANE_STDCALL WriteDeviceSetting(int a, int b, int c) = 0;   // 10
  virtual int TOLVANE_STDCALL Reserved11() = 0;                        // 11, never called
  virtual int TOLVANE_STDCALL SetDisplayRenderer(DisplayRenderer* renderer) = 0;  // 12

 protected:
  ~QorHidCtrl() = default;
};

// "CreateComponentInstance" / "DeleteComponentInstance": called with the
// address of the instance pointer; nonzero means success. The vendor may
// export them standard-call or C-call: they are called only through
// CallEntryPoint (common/entry_point_call.h), which suits both.
using HidCtrlCreateFn = int(TOLVANE_STDCALL*)(QorHidCtrl** instance);
using HidCtrlDeleteFn = int(TOLVANE_STDCALL*)(QorHidCtrl** instance);

// Message the library posts to the window given to StartDevice for every
// handset event (WM_USER + 100).
inline constexpr unsigned kHandsetReportMessage = 0x464;

}  // namespace tolvane
