#include "IcoFile.h"

#include "BmpFile.h"
#include "PngFile.h"

namespace skin {
namespace {

constexpr std::uint32_t kDirHeader = 6, kDirEntry = 16, kInfoHeader = 40;

size_t MaskRowBytes(int width) {
  return ((static_cast<size_t>(width) + 31) / 32) * 4;
}

// The largest size is stored as PNG, as icon files have allowed since Windows Vista; the
// small ones, which every program asks for, stay bitmaps.
constexpr int kPngFromSize = 256;

std::vector<std::uint8_t> EncodeImage(const Image& image) {
  if (image.width >= kPngFromSize) return EncodePng(image);
  std::vector<std::uint8_t> out;
  Put32(out, kInfoHeader);
  Put32(out, static_cast<std::uint32_t>(image.width));
  Put32(out, static_cast<std::uint32_t>(image.height * 2));  // colour and mask stacked
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* p = image.At(x, y);
      out.insert(out.end(), {p[2], p[1], p[0], p[3]});
    }
  }
  // The mask marks fully transparent pixels, for programs that ignore the alpha channel.
  const size_t maskRow = MaskRowBytes(image.width);
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(maskRow, 0);
    for (int x = 0; x < image.width; ++x)
      if (image.At(x, y)[3] == 0)
        row[static_cast<size_t>(x) / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodeIco(const std::vector<Image>& images) {
  std::vector<std::vector<std::uint8_t>> bodies;
  for (const Image& image : images) bodies.push_back(EncodeImage(image));
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, static_cast<std::uint32_t>(images.size()));
  auto offset = static_cast<std::uint32_t>(kDirHeader + kDirEntry * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    out.push_back(static_cast<std::uint8_t>(images[i].width >= 256 ? 0 : images[i].width));
    out.push_back(static_cast<std::uint8_t>(images[i].height >= 256 ? 0 : images[i].height));
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, static_cast<std::uint32_t>(bodies[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(bodies[i].size());
  }
  for (const auto& body : bodies) out.insert(out.end(), body.begin(), body.end());
  return out;
}

std::vector<IcoEntry> ReadIcoDirectory(const std::vector<std::uint8_t>& in) {
  if (in.size() < kDirHeader || Get16(in, 0) != 0 || Get16(in, 2) != 1) return {};
  const size_t count = Get16(in, 4);
  if (in.size() < kDirHeader + kDirEntry * count) return {};
  std::vector<IcoEntry> entries;
  for (size_t i = 0; i < count; ++i) {
    const size_t at = kDirHeader + kDirEntry * i;
    const size_t size = Get32(in, at + 8), offset = Get32(in, at + 12);
    if (offset + size > in.size() || size < kInfoHeader) return {};
    IcoEntry e;
    e.width = in[at] == 0 ? 256 : in[at];
    e.height = in[at + 1] == 0 ? 256 : in[at + 1];
    e.bitCount = static_cast<int>(Get16(in, at + 6));
    // The image's own header must agree with the directory.
    if (e.width >= kPngFromSize) {
      const auto png =
          DecodePng(std::vector<std::uint8_t>(in.begin() + static_cast<std::ptrdiff_t>(offset),
                                              in.begin() + static_cast<std::ptrdiff_t>(offset + size)));
      if (!png || png->width != e.width || png->height != e.height || png->channels * 8 != e.bitCount)
        return {};
    } else if (static_cast<int>(Get32(in, offset + 4)) != e.width ||
               static_cast<int>(Get32(in, offset + 8)) != 2 * e.height) {
      return {};
    }
    entries.push_back(e);
  }
  return entries;
}

}  // namespace skin
