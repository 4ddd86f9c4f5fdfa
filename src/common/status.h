#pragma once
// Result of the store, session and library-wrapper operations, in the COM
// manner: 0 for success, kFail (the value of E_FAIL) for "not found", "empty"
// or "at the end". Values come back through pointer arguments.
//
// The name kFail rather than E_FAIL keeps this header free of <windows.h> and
// clear of its macro; Windows builds check that the two agree.
#include <cstdint>

namespace tolvane {

using Status = std::int32_t;

inline constexpr Status kOk = 0;
inline constexpr Status kFail = static_cast<Status>(0x80004005u);

}  // namespace tolvane
