// The core's status values are the Windows ones; keep it that way.
#include <windows.h>

#include "common/status.h"

static_assert(tolvane::kFail == E_FAIL, "kFail must be E_FAIL");
static_assert(tolvane::kOk == S_OK, "kOk must be S_OK");
