#pragma once
// Texts passed between objects travel in caller-owned buffers of 255 bytes:
// at most 254 characters and the terminating zero. Every copy into such a
// buffer goes through CopyBounded, which cuts rather than overruns.
#include <cstddef>
#include <string>
#include <string_view>

namespace tolvane {

inline constexpr std::size_t kTextBufferSize = 255;
inline constexpr std::size_t kMaxTextLength = kTextBufferSize - 1;

// Copies at most size-1 bytes of text into dest and terminates it. Returns the
// number of bytes copied (without the terminator). A size of 0 writes nothing.
std::size_t CopyBounded(char* dest, std::size_t size, std::string_view text);

// The same for the 255-byte text buffers.
inline std::size_t CopyText(char* dest, std::string_view text) {
  return CopyBounded(dest, kTextBufferSize, text);
}

// The text a block of `size` bytes carries, read only within the block: it
// ends at the first NUL or at the end of the block, whichever comes first.
// Blocks from another process (WM_COPYDATA) need not be terminated.
std::string TextWithin(const char* data, std::size_t size);

}  // namespace tolvane
