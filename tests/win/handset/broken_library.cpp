// Stand-ins for QorHIDCtrl.dll that fail in one way each, so that the
// loader's failure boxes can be checked: BROKEN_NOCREATE exports no create
// entry point, BROKEN_NODELETE no delete entry point, BROKEN_CREATEFAILS and
// BROKEN_DELETEFAILS return 0 from the one entry point.
#include "interfaces/hid_ctrl_library.h"

#define EXPORT extern "C" __declspec(dllexport)

namespace {

class IdleHandset final : public tolvane::QorHidCtrl {
 public:
  int TOLVANE_STDCALL Reserved0() override { return 0; }
  int TOLVANE_STDCALL CloseDevice() override { return 0; }
  int TOLVANE_STDCALL Reserved2() override { return 0; }
  int TOLVANE_STDCALL OpenDevice() override { return 1; }
  int TOLVANE_STDCALL ShutdownDevice() override { return 0; }
  int TOLVANE_STDCALL StartDevice(tolvane::WindowHandle) override { return 1; }
  int TOLVANE_STDCALL AbortStart() override { return 0; }
  int TOLVANE_STDCALL Reserved7() override { return 0; }
  int TOLVANE_STDCALL SendCode(std::uint8_t) override { return 0; }
  int TOLVANE_STDCALL SendDisplayChar(int, int) override { return 0; }
  int TOLVANE_STDCALL WriteDeviceSetting(int, int, int) override { return 0; }
  int TOLVANE_STDCALL Reserved11() override { return 0; }
  int TOLVANE_STDCALL SetDisplayRenderer(tolvane::DisplayRenderer*) override { return 0; }
};

IdleHandset handset;

}  // namespace

EXPORT int TOLVANE_STDCALL SomethingElse() { return 0; }

#if !defined(BROKEN_NOCREATE)
EXPORT int TOLVANE_STDCALL CreateComponentInstance(tolvane::QorHidCtrl** instance) {
#if defined(BROKEN_CREATEFAILS)
  (void)instance;
  return 0;
#else
  *instance = &handset;
  return 1;
#endif
}
#endif

#if !defined(BROKEN_NODELETE)
EXPORT int TOLVANE_STDCALL DeleteComponentInstance(tolvane::QorHidCtrl** instance) {
  *instance = nullptr;
#if defined(BROKEN_DELETEFAILS)
  return 0;
#else
  return 1;
#endif
}
#endif
