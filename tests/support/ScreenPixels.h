// What the screen shows, as pixels a test can compare with the skin's bitmaps.
#pragma once

#include <windows.h>

#include <vector>

namespace test {

// 32-bit pixels, top-down.
struct Pixels {
  int width = 0, height = 0;
  std::vector<COLORREF> data;
  [[nodiscard]] COLORREF At(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
};

// `bitmap` (any format) as pixels.
[[nodiscard]] Pixels BitmapPixels(HBITMAP bitmap);
// The client area of `window` as the screen shows it now.
[[nodiscard]] Pixels Grab(HWND window);

}  // namespace test
