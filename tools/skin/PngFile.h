// PNG files of the pictures: 8-bit RGB or RGBA, one IDAT chunk. The skin bitmaps and the HTML
// pages' pictures are stored in this form and decoded by the system at load; the art is flat
// colours and gradients, so per-row filters, LZ77 and the fixed Huffman codes of deflate already
// shrink it some twenty times, with a compressor small enough to live here.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "Image.h"

namespace skin {

std::vector<std::uint8_t> EncodePng(const Image& image);
// Reads back what EncodePng writes (8-bit RGB or RGBA, not interlaced, deflate blocks stored or
// with the fixed codes); nothing else.
std::optional<Image> DecodePng(const std::vector<std::uint8_t>& bytes);

}  // namespace skin
