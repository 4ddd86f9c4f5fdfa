#pragma once
// The conversions between the local code page and the UTF-8 text of Skype
// commands. Both write into the 255-byte text buffers of the program: at most
// 254 bytes and the terminating zero, cut before the first character that
// would not fit whole, so a cut text is still well formed in its encoding.
#include <cstddef>
#include <string_view>

#include "fontlib/local_code_page.h"

namespace tolvane::fontlib {

// Both return the number of bytes written before the terminator.
std::size_t LocalToSkypeText(const LocalCodePage& codePage, std::string_view local, char* out);
std::size_t SkypeToLocalText(const LocalCodePage& codePage, std::string_view utf8, char* out);

}  // namespace tolvane::fontlib
