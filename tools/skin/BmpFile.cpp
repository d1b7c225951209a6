#include "BmpFile.h"

#include <fstream>
#include <iterator>

namespace skin {
namespace {

constexpr std::uint32_t kFileHeader = 14, kInfoHeader = 40;
constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dpi

size_t RowBytes(int width) {
  return (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
}

}  // namespace

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::uint32_t Get16(const std::vector<std::uint8_t>& in, size_t at) {
  return static_cast<std::uint32_t>(in[at]) | (static_cast<std::uint32_t>(in[at + 1]) << 8);
}

std::uint32_t Get32(const std::vector<std::uint8_t>& in, size_t at) {
  return Get16(in, at) | (Get16(in, at + 2) << 16);
}

std::vector<std::uint8_t> EncodeBmp(const Image& image) {
  const size_t row = RowBytes(image.width);
  const auto pixelBytes = static_cast<std::uint32_t>(row * image.height);
  std::vector<std::uint8_t> out;
  out.reserve(kFileHeader + kInfoHeader + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, kFileHeader + kInfoHeader + pixelBytes);
  Put32(out, 0);
  Put32(out, kFileHeader + kInfoHeader);
  Put32(out, kInfoHeader);
  Put32(out, static_cast<std::uint32_t>(image.width));
  Put32(out, static_cast<std::uint32_t>(image.height));  // positive: bottom-up
  Put16(out, 1);                                         // planes
  Put16(out, 24);
  Put32(out, 0);  // BI_RGB
  Put32(out, pixelBytes);
  Put32(out, kPixelsPerMetre);
  Put32(out, kPixelsPerMetre);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* p = image.At(x, y);
      out.push_back(p[2]);
      out.push_back(p[1]);
      out.push_back(p[0]);
    }
    out.resize(out.size() + row - static_cast<size_t>(image.width) * 3, 0);
  }
  return out;
}

std::optional<Image> DecodeBmp(const std::vector<std::uint8_t>& in) {
  if (in.size() < kFileHeader + kInfoHeader || in[0] != 'B' || in[1] != 'M') return std::nullopt;
  if (Get32(in, 2) != in.size() || Get32(in, 14) != kInfoHeader) return std::nullopt;
  const auto width = static_cast<std::int32_t>(Get32(in, 18)),
             height = static_cast<std::int32_t>(Get32(in, 22));
  if (width <= 0 || height <= 0 || Get16(in, 28) != 24 || Get32(in, 30) != 0) return std::nullopt;
  const size_t offset = Get32(in, 10), row = RowBytes(width);
  if (offset + row * height != in.size()) return std::nullopt;
  Image image(width, height, 3);
  for (int y = 0; y < height; ++y) {
    const size_t start = offset + row * static_cast<size_t>(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = image.At(x, y);
      p[0] = in[start + x * 3 + 2];
      p[1] = in[start + x * 3 + 1];
      p[2] = in[start + x * 3];
    }
  }
  return image;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  // Leave an identical file alone, so the resource compiler is not run again for nothing.
  if (const auto old = ReadFile(path); old && *old == bytes) return true;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace skin
