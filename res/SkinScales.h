// The display scales the skin is drawn at, and the one rounding rule that turns a length of the
// 96-DPI design into pixels at a DPI. Portable (no windows.h): the generator draws its pictures by
// it and the program lays its windows out by it, so a picture and the place it fills always agree.
#pragma once

#include <array>

namespace skinscale {

inline constexpr int kDesignDpi = 96;

// 100, 125, 150, 175 and 200 %. The first is the design; the pictures of the others are drawn for
// exactly that DPI.
inline constexpr std::array<int, 5> kSkinDpis = {96, 120, 144, 168, 192};

// A design length in pixels at `dpi`, rounded half away from zero, as MulDiv rounds. Rectangles
// are scaled edge by edge, so neighbours that touch in the design still touch.
constexpr int Px(int design, int dpi) noexcept {
  const long long product = static_cast<long long>(design) * dpi;
  const long long half = kDesignDpi / 2;
  return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi : -((-product + half) / kDesignDpi));
}

// The skin DPI a window shown at `dpi` is laid out and drawn at: the nearest of kSkinDpis, ties
// going to the larger; at most 200 %.
constexpr int SkinDpiFor(int dpi) noexcept {
  int best = kSkinDpis.front();
  for (const int candidate : kSkinDpis) {
    const int distance = candidate > dpi ? candidate - dpi : dpi - candidate;
    const int bestDistance = best > dpi ? best - dpi : dpi - best;
    if (distance <= bestDistance) best = candidate;
  }
  return best;
}

// The scale in percent (96 -> 100, 144 -> 150), as it appears in the names of the pictures' sets.
constexpr int Percent(int dpi) noexcept {
  return Px(100, dpi);
}

}  // namespace skinscale
