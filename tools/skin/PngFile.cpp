#include "PngFile.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace skin {
namespace {

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::uint32_t Adler32(const std::vector<std::uint8_t>& data) {
  std::uint32_t a = 1, b = 0;
  for (const std::uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type, const std::vector<std::uint8_t>& body) {
  PutBig32(out, static_cast<std::uint32_t>(body.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), body.begin(), body.end());
  PutBig32(out, Crc32(&out[start], out.size() - start));
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Image& image) {
  // Each row after its filter byte (0: none).
  std::vector<std::uint8_t> raw;
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * image.channels;
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);
    const std::uint8_t* row = image.At(0, y);
    raw.insert(raw.end(), row, row + rowBytes);
  }
  // The zlib stream: header, stored blocks of at most 65535 bytes, checksum.
  std::vector<std::uint8_t> zlib = {0x78, 0x01};
  for (std::size_t at = 0; at < raw.size() || at == 0;) {
    const std::size_t size = std::min<std::size_t>(65535, raw.size() - at);
    const bool last = at + size >= raw.size();
    zlib.push_back(last ? 1 : 0);
    zlib.push_back(static_cast<std::uint8_t>(size));
    zlib.push_back(static_cast<std::uint8_t>(size >> 8));
    zlib.push_back(static_cast<std::uint8_t>(~size));
    zlib.push_back(static_cast<std::uint8_t>(~size >> 8));
    zlib.insert(zlib.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                raw.begin() + static_cast<std::ptrdiff_t>(at + size));
    at += size;
    if (last) break;
  }
  PutBig32(zlib, Adler32(raw));

  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutBig32(header, static_cast<std::uint32_t>(image.width));
  PutBig32(header, static_cast<std::uint32_t>(image.height));
  header.push_back(8);                             // bits per channel
  header.push_back(image.channels == 4 ? 6 : 2);   // RGBA or RGB
  header.push_back(0);                             // deflate
  header.push_back(0);                             // adaptive filters
  header.push_back(0);                             // not interlaced
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", zlib);
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace skin
