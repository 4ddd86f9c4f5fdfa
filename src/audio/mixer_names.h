#pragma once
// The Windows SDK names of mixer line and control types, for trace texts.
#include <cstdint>
#include <string_view>

namespace tolvane::mixer {

// "MIXERLINE_COMPONENTTYPE_...", "No source line" for NoSourceLine,
// "---- UNKNOWN LINE TYPE ----" otherwise.
std::string_view LineTypeName(std::uint32_t componentType);

// "MIXERCONTROL_CONTROLTYPE_...", "---- UNKNOWN CONTROL TYPE ----" otherwise.
std::string_view ControlTypeName(std::uint32_t controlType);

}  // namespace tolvane::mixer
