#include "window_capture.h"

#include <chrono>
#include <fstream>
#include <unordered_set>

namespace tolvane::testing {

WindowImage CaptureWindow(HWND window) {
  RECT rect{};
  if (!GetWindowRect(window, &rect)) return {};
  return CaptureScreen(rect);
}

WindowImage CaptureScreen(const RECT& rect) {
  WindowImage image;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return image;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) {
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY)) {
      GdiFlush();
      const auto* first = static_cast<const std::uint32_t*>(bits);
      image.width = width;
      image.height = height;
      image.pixels.assign(first, first + static_cast<std::size_t>(width) * height);
      for (std::uint32_t& pixel : image.pixels) pixel &= 0x00FFFFFF;
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return image;
}

std::size_t DistinctColours(const WindowImage& image) {
  return std::unordered_set<std::uint32_t>(image.pixels.begin(), image.pixels.end()).size();
}

WindowImage CapturePainted(HWND window) {
  // Another process paints when its queue runs empty; nothing signals the
  // end of it. Generous: a loaded machine paints slowly.
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  WindowImage last = CaptureWindow(window);
  for (;;) {
    Sleep(200);
    WindowImage next = CaptureWindow(window);
    const bool settled = next == last && DistinctColours(next) > 4;
    last = std::move(next);
    if (settled || std::chrono::steady_clock::now() >= end) return last;
  }
}

bool SaveBitmap(const WindowImage& image, const std::string& path) {
  const std::size_t rowBytes = (static_cast<std::size_t>(image.width) * 3 + 3) & ~static_cast<std::size_t>(3);
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = image.width;
  header.biHeight = image.height;  // bottom-up, as every reader expects
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + rowBytes * image.height);

  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  std::string row(rowBytes, '\0');
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t pixel = image.pixels[static_cast<std::size_t>(y) * image.width + x];
      row[3 * x] = static_cast<char>(pixel & 0xFF);
      row[3 * x + 1] = static_cast<char>((pixel >> 8) & 0xFF);
      row[3 * x + 2] = static_cast<char>((pixel >> 16) & 0xFF);
    }
    out.write(row.data(), static_cast<std::streamsize>(row.size()));
  }
  return static_cast<bool>(out);
}

}  // namespace tolvane::testing
