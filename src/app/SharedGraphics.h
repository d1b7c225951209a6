// Fonts and skin bitmaps that every window of the program draws with, created once at start-up and
// deleted at shutdown.
#pragma once

#include <windows.h>

#include <array>

#include "win/Handle.h"

namespace app {

enum class SharedFont : int {
  kDefaultGui = 0,     // the stock DEFAULT_GUI_FONT (not owned)
  kTahoma18Bold,
  kTahoma18,
  kTahoma16Bold,
  kTahoma16,
  kTahoma14Bold,
  kTahoma14,
  kTahoma13,
  kTahoma12Bold,
  kTahoma12,
  kTahoma10Bold,
  kTahoma10,
  kLucidaConsole14,
  kTahoma13Second,     // a second handle of the 13-pixel font, for its own users
  kCount
};

class SharedGraphics {
 public:
  // The bitmaps, in the order they are loaded: skin pieces of the main window and its panels.
  static constexpr std::array<int, 28> kBitmapIds = {357, 358, 359, 360, 361, 362, 363, 364, 365, 366,
                                                     367, 368, 376, 377, 381, 385, 386, 387, 389, 390,
                                                     391, 399, 400, 419, 420, 191, 192, 193};

  void Create();
  void Destroy() noexcept;

  [[nodiscard]] HFONT Font(SharedFont which) const noexcept;
  // Null when `id` is not one of the shared bitmaps or failed to load.
  [[nodiscard]] HBITMAP Bitmap(int id) const noexcept;
  [[nodiscard]] size_t LoadedBitmapCount() const noexcept;

 private:
  std::array<win::UniqueGdiObject, static_cast<size_t>(SharedFont::kCount)> fonts_;
  std::array<win::UniqueGdiObject, kBitmapIds.size()> bitmaps_;
};

}  // namespace app
