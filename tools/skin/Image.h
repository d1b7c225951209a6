// A finished 8-bit picture: 24-bit colour, or 32-bit with straight alpha for icon images.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Colour.h"

namespace skin {

struct Image {
  int width = 0;
  int height = 0;
  int channels = 3;                // 3: RGB; 4: RGBA (icons)
  std::vector<std::uint8_t> data;  // top-down rows, no padding

  Image() = default;
  Image(int w, int h, int ch)
      : width(w), height(h), channels(ch), data(static_cast<std::size_t>(w) * h * ch) {}

  std::uint8_t* At(int x, int y) { return &data[(static_cast<std::size_t>(y) * width + x) * channels]; }
  const std::uint8_t* At(int x, int y) const {
    return &data[(static_cast<std::size_t>(y) * width + x) * channels];
  }
  Rgb Colour(int x, int y) const {
    const std::uint8_t* p = At(x, y);
    return {static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2])};
  }
  bool IsKey(int x, int y) const {
    const std::uint8_t* p = At(x, y);
    return p[0] == 255 && p[1] == 0 && p[2] == 255;
  }
  bool operator==(const Image&) const = default;
};

}  // namespace skin
