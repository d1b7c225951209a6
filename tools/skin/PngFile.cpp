#include "PngFile.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <limits>
#include <string_view>

#include <zlib.h>

namespace skin {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
  return static_cast<std::uint32_t>(crc32(crc32(0, Z_NULL, 0), data, static_cast<uInt>(size)));
}

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t GetBig32(const std::vector<std::uint8_t>& in, std::size_t at) {
  return (std::uint32_t{in[at]} << 24) | (std::uint32_t{in[at + 1]} << 16) |
         (std::uint32_t{in[at + 2]} << 8) | std::uint32_t{in[at + 3]};
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type, const std::vector<std::uint8_t>& body) {
  PutBig32(out, static_cast<std::uint32_t>(body.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), body.begin(), body.end());
  PutBig32(out, Crc32(&out[start], out.size() - start));
}

// --- Row filters ------------------------------------------------------------------------------

int Paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
}

// The predictor of byte i of a row for filter `type`, from the bytes already known.
int Predict(int type, const std::uint8_t* row, const std::uint8_t* above, std::size_t i, std::size_t bpp) {
  const int a = i >= bpp ? row[i - bpp] : 0, b = above ? above[i] : 0,
            c = (i >= bpp && above) ? above[i - bpp] : 0;
  switch (type) {
    case 1: return a;
    case 2: return b;
    case 3: return (a + b) / 2;
    case 4: return Paeth(a, b, c);
    default: return 0;
  }
}

// --- zlib streams ------------------------------------------------------------------------------

// The filtered rows as one zlib stream, at the best compression; empty if zlib fails.
std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& in) {
  uLongf size = compressBound(static_cast<uLong>(in.size()));
  std::vector<std::uint8_t> out(size);
  if (compress2(out.data(), &size, in.data(), static_cast<uLong>(in.size()), Z_BEST_COMPRESSION) != Z_OK)
    return {};
  out.resize(size);
  return out;
}

// Exactly `expected` bytes from one zlib stream (its check value verified), or nothing. Deflate
// expands at most 1032 times, so a header asking for more than that is refused before any
// allocation.
std::optional<std::vector<std::uint8_t>> Inflate(const std::vector<std::uint8_t>& in, std::size_t expected) {
  constexpr std::size_t kMaxRatio = 1032;
  if (in.empty() || expected == 0 || expected / kMaxRatio > in.size() ||
      expected > std::numeric_limits<uLong>::max() || in.size() > std::numeric_limits<uLong>::max())
    return std::nullopt;
  std::vector<std::uint8_t> out(expected);
  uLongf size = static_cast<uLongf>(expected);
  if (uncompress(out.data(), &size, in.data(), static_cast<uLong>(in.size())) != Z_OK || size != expected)
    return std::nullopt;
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Image& image) {
  // Each row after the filter that leaves the smallest sum of differences.
  const auto bpp = static_cast<std::size_t>(image.channels);
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * bpp;
  std::vector<std::uint8_t> raw, trial(rowBytes), best(rowBytes);
  for (int y = 0; y < image.height; ++y) {
    const std::uint8_t* row = image.At(0, y);
    const std::uint8_t* above = y > 0 ? image.At(0, y - 1) : nullptr;
    long bestCost = -1;
    int bestType = 0;
    for (int type = 0; type <= 4; ++type) {
      long cost = 0;
      for (std::size_t i = 0; i < rowBytes; ++i) {
        trial[i] = static_cast<std::uint8_t>(row[i] - Predict(type, row, above, i, bpp));
        cost += trial[i] < 128 ? trial[i] : 256 - trial[i];
      }
      if (bestCost < 0 || cost < bestCost) {
        bestCost = cost;
        bestType = type;
        best.swap(trial);
      }
    }
    raw.push_back(static_cast<std::uint8_t>(bestType));
    raw.insert(raw.end(), best.begin(), best.end());
  }

  std::vector<std::uint8_t> out(kSignature.begin(), kSignature.end());
  std::vector<std::uint8_t> header;
  PutBig32(header, static_cast<std::uint32_t>(image.width));
  PutBig32(header, static_cast<std::uint32_t>(image.height));
  header.push_back(8);                            // bits per channel
  header.push_back(image.channels == 4 ? 6 : 2);  // RGBA or RGB
  header.push_back(0);                            // deflate
  header.push_back(0);                            // adaptive filters
  header.push_back(0);                            // not interlaced
  PutChunk(out, "IHDR", header);
  const std::vector<std::uint8_t> compressed = Deflate(raw);
  if (compressed.empty()) return {};
  PutChunk(out, "IDAT", compressed);
  PutChunk(out, "IEND", {});
  return out;
}

std::optional<Image> DecodePng(const std::vector<std::uint8_t>& in) {
  if (in.size() < kSignature.size() || !std::equal(kSignature.begin(), kSignature.end(), in.begin()))
    return std::nullopt;
  int width = 0, height = 0, channels = 0;
  std::vector<std::uint8_t> zlib;
  bool ended = false;
  for (std::size_t at = kSignature.size(); !ended;) {
    if (at + 12 > in.size()) return std::nullopt;
    const std::size_t size = GetBig32(in, at);
    if (at + 12 + size > in.size() || Crc32(&in[at + 4], size + 4) != GetBig32(in, at + 8 + size))
      return std::nullopt;
    const std::string_view type(reinterpret_cast<const char*>(&in[at + 4]), 4);
    const std::size_t body = at + 8;
    if (type == "IHDR") {
      if (size != 13 || in[body + 8] != 8 || in[body + 10] != 0 || in[body + 11] != 0 || in[body + 12] != 0)
        return std::nullopt;
      width = static_cast<int>(GetBig32(in, body));
      height = static_cast<int>(GetBig32(in, body + 4));
      channels = in[body + 9] == 6 ? 4 : in[body + 9] == 2 ? 3 : 0;
    } else if (type == "IDAT") {
      zlib.insert(zlib.end(), in.begin() + static_cast<std::ptrdiff_t>(body),
                  in.begin() + static_cast<std::ptrdiff_t>(body + size));
    } else if (type == "IEND") {
      ended = true;
    }
    at += 12 + size;
  }
  if (width <= 0 || height <= 0 || channels == 0) return std::nullopt;
  const auto bpp = static_cast<std::size_t>(channels);
  const std::size_t rowBytes = static_cast<std::size_t>(width) * bpp;
  if (rowBytes + 1 > std::numeric_limits<std::size_t>::max() / static_cast<std::size_t>(height))
    return std::nullopt;
  const auto raw = Inflate(zlib, (rowBytes + 1) * static_cast<std::size_t>(height));
  if (!raw) return std::nullopt;
  Image image(width, height, channels);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* filtered = &(*raw)[(rowBytes + 1) * static_cast<std::size_t>(y)];
    if (filtered[0] > 4) return std::nullopt;
    std::uint8_t* row = image.At(0, y);
    const std::uint8_t* above = y > 0 ? image.At(0, y - 1) : nullptr;
    for (std::size_t i = 0; i < rowBytes; ++i)
      row[i] = static_cast<std::uint8_t>(filtered[1 + i] + Predict(filtered[0], row, above, i, bpp));
  }
  return image;
}

}  // namespace skin
