// PNG files of the pictures: 8-bit RGB or RGBA, one IDAT chunk. The skin bitmaps and the HTML
// pages' pictures are stored in this form and decoded by the system at load; the art is flat
// colours and gradients: per-row filters and zlib's deflate at its best level shrink it many times.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "Image.h"

namespace skin {

std::vector<std::uint8_t> EncodePng(const Image& image);
// Reads back what EncodePng writes (8-bit RGB or RGBA, not interlaced); nothing else.
std::optional<Image> DecodePng(const std::vector<std::uint8_t>& bytes);

}  // namespace skin
