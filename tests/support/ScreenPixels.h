// What the screen shows, as pixels a test can compare with the skin's bitmaps or with another
// screenshot, and save as a BMP file.
#pragma once

#include <windows.h>

#include <filesystem>
#include <vector>

namespace test {

// 32-bit pixels, top-down.
struct Pixels {
  int width = 0, height = 0;
  std::vector<COLORREF> data;
  [[nodiscard]] COLORREF At(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
  friend bool operator==(const Pixels&, const Pixels&) = default;
};

// `bitmap` (any format) as pixels.
[[nodiscard]] Pixels BitmapPixels(HBITMAP bitmap);
// The rectangle `area` of the screen (screen coordinates) as it shows now.
[[nodiscard]] Pixels GrabScreen(const RECT& area);
// The client area of `window` as the screen shows it now.
[[nodiscard]] Pixels Grab(HWND window);
// The whole of `window`, frame included, as the screen shows it now.
[[nodiscard]] Pixels GrabWindow(HWND window);

// The number of pixels in which `a` and `b` differ; every pixel of the larger when their sizes do.
[[nodiscard]] size_t CountDifferences(const Pixels& a, const Pixels& b);
// Reads a 24- or 32-bit BMP file; empty pixels when it cannot be read.
[[nodiscard]] Pixels LoadBitmapFile(const std::filesystem::path& file);
// Writes `pixels` as a 24-bit BMP file (through a temporary file in the same folder); false on failure.
bool SaveBitmapFile(const Pixels& pixels, const std::filesystem::path& file);

}  // namespace test
