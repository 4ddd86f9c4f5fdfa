#pragma once
// Binary-interface spellings shared by the portable core and the Win32 side.
// The vendor libraries' instances are COM-like: a table of standard-call
// operations with the instance as first argument. On other hosts the calling
// convention is the only one there is.

#if defined(_WIN32) && !defined(_WIN64)
#define TOLVANE_STDCALL __stdcall
#else
#define TOLVANE_STDCALL
#endif

namespace tolvane {

// A window handle as the core sees it: opaque, compared and passed along only.
using WindowHandle = void*;

}  // namespace tolvane
