// Icon files: several sizes of one picture, each a 32-bit image with alpha and its 1-bit mask (the
// 256-pixel one a 32-bit PNG).
#pragma once

#include <cstdint>
#include <vector>

#include "Image.h"

namespace skin {

std::vector<std::uint8_t> EncodeIco(const std::vector<Image>& images);

struct IcoEntry {
  int width = 0;
  int height = 0;
  int bitCount = 0;
};
// The directory of an icon file as EncodeIco writes it; empty when the file is not one.
std::vector<IcoEntry> ReadIcoDirectory(const std::vector<std::uint8_t>& bytes);

}  // namespace skin
