#pragma once
// A window as it is on the screen: its pixels copied from the screen's
// device context within the window's rectangle (frame and caption
// included), kept as 0x00RRGGBB values row by row from the top.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tolvane::testing {

struct WindowImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  bool operator==(const WindowImage&) const = default;
};

WindowImage CaptureWindow(HWND window);
// Any rectangle of the screen.
WindowImage CaptureScreen(const RECT& rect);
std::size_t DistinctColours(const WindowImage& image);
// Waits until two captures a moment apart are the same and show more than a
// few colours: the window has painted. Returns the last capture either way.
WindowImage CapturePainted(HWND window);
// A 24-bit bottom-up BMP file.
bool SaveBitmap(const WindowImage& image, const std::string& path);

}  // namespace tolvane::testing
