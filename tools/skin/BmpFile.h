// 24-bit Windows bitmap files (BITMAPFILEHEADER + BITMAPINFOHEADER, bottom-up rows), the form
// LoadImageW(..., IMAGE_BITMAP, ..., LR_CREATEDIBSECTION) reads from the resources.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Image.h"

namespace skin {

std::vector<std::uint8_t> EncodeBmp(const Image& image);
// Reads back what EncodeBmp writes (24-bit, uncompressed); nothing else.
std::optional<Image> DecodeBmp(const std::vector<std::uint8_t>& bytes);

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path);

// Little-endian helpers shared by the file formats.
void Put16(std::vector<std::uint8_t>& out, std::uint32_t v);
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v);
std::uint32_t Get16(const std::vector<std::uint8_t>& in, size_t at);
std::uint32_t Get32(const std::vector<std::uint8_t>& in, size_t at);

}  // namespace skin
