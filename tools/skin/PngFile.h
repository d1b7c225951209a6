// PNG files of the pictures, for the HTML pages (which take PNG, not BMP): 8-bit RGB or RGBA,
// the image data deflated in stored blocks (the pictures are small; no compressor needed).
#pragma once

#include <cstdint>
#include <vector>

#include "Image.h"

namespace skin {

std::vector<std::uint8_t> EncodePng(const Image& image);

}  // namespace skin
