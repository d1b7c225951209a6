// The shape of a skinned window: the region its bitmap covers, without the magenta pixels.
#pragma once

#include <windows.h>

#include <vector>

#include "win/Handle.h"

namespace ui::skin {

// Each row's runs of pixels that are not magenta, as one-pixel-high rectangles, top to bottom and
// left to right within a row. Empty when the bitmap cannot be read.
[[nodiscard]] std::vector<RECT> OpaqueRuns(HBITMAP bitmap);
// The union of those runs; null when the bitmap has none.
[[nodiscard]] win::UniqueRegion OpaqueRegion(HBITMAP bitmap);

}  // namespace ui::skin
