// The configuration file operations of the session. They keep the session's
// interface complete until the configuration reader and writer take them over;
// until then the defaults of every setting stay in force.
#include "skype_link/skype_link.h"

namespace tolvane {

Status SkypeLink::SaveSettings() { return kOk; }

Status SkypeLink::RestoreDefaultSettings() { return kOk; }

Status SkypeLink::ReadSettings() { return kOk; }

Status SkypeLink::FillRingList(WindowHandle /*dialog*/, int /*controlId*/) { return kOk; }

}  // namespace tolvane
