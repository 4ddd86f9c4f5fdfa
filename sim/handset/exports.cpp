// The two entry points of the simulated QorHIDCtrl.dll, exported undecorated
// through QorHIDCtrl.def: standard-call, or C-call in the build that stands
// for a vendor library compiled the ordinary way (SIM_ENTRY_CCALL).
#include <windows.h>

#include "sim_handset.h"

namespace {

HMODULE ThisLibrary() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&ThisLibrary), &module);
  return module;
}

}  // namespace

#if defined(SIM_ENTRY_CCALL)
#define SIM_ENTRY __cdecl
#else
#define SIM_ENTRY TOLVANE_STDCALL
#endif

extern "C" int SIM_ENTRY CreateComponentInstance(tolvane::QorHidCtrl** instance) {
  if (instance == nullptr) return 0;
  try {
    const HMODULE library = ThisLibrary();
    *instance = new simhandset::SimHandset(simhandset::SimConfig::FromEnvironment(library), library);
  } catch (...) {
    *instance = nullptr;
  }
  return *instance != nullptr ? 1 : 0;
}

extern "C" int SIM_ENTRY DeleteComponentInstance(tolvane::QorHidCtrl** instance) {
  if (instance == nullptr || *instance == nullptr) return 0;
  delete static_cast<simhandset::SimHandset*>(*instance);
  *instance = nullptr;
  return 1;
}
