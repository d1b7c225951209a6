#include "PngFile.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <string_view>

namespace skin {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

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

// --- Deflate with the fixed codes -------------------------------------------------------------

constexpr std::array<int, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                             31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                               33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                               1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr int kWindow = 32768, kMaxMatch = 258, kMinMatch = 3, kChainLimit = 128;

class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  void Bits(std::uint32_t value, int count) {  // least significant bit first
    for (int i = 0; i < count; ++i) Bit((value >> i) & 1);
  }
  void Code(std::uint32_t code, int length) {  // Huffman codes go most significant bit first
    for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1);
  }
  void Flush() {
    if (used_ > 0) out_.push_back(current_);
    current_ = 0;
    used_ = 0;
  }

 private:
  void Bit(std::uint32_t bit) {
    current_ = static_cast<std::uint8_t>(current_ | (bit << used_));
    if (++used_ == 8) Flush();
  }
  std::vector<std::uint8_t>& out_;
  std::uint8_t current_ = 0;
  int used_ = 0;
};

void PutSymbol(BitWriter& w, int symbol) {
  if (symbol < 144)
    w.Code(0x30 + symbol, 8);
  else if (symbol < 256)
    w.Code(0x190 + symbol - 144, 9);
  else if (symbol < 280)
    w.Code(symbol - 256, 7);
  else
    w.Code(0xC0 + symbol - 280, 8);
}

void PutMatch(BitWriter& w, int length, int distance) {
  int l = 28;
  while (kLengthBase[l] > length) --l;
  PutSymbol(w, 257 + l);
  w.Bits(length - kLengthBase[l], kLengthExtra[l]);
  int d = 29;
  while (kDistanceBase[d] > distance) --d;
  w.Code(d, 5);
  w.Bits(distance - kDistanceBase[d], kDistanceExtra[d]);
}

// One final block with the fixed codes; matches found through hash chains over the last 32 KB.
std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& in) {
  std::vector<std::uint8_t> out = {0x78, 0x01};
  BitWriter w(out);
  w.Bits(1, 1);  // final block
  w.Bits(1, 2);  // fixed codes
  constexpr int kHashSize = 1 << 15;
  std::vector<int> head(kHashSize, -1), previous(in.size(), -1);
  const auto hash = [&in](std::size_t i) {
    return static_cast<int>(((in[i] << 10) ^ (in[i + 1] << 5) ^ in[i + 2]) & (kHashSize - 1));
  };
  const auto insert = [&](std::size_t i) {
    if (i + kMinMatch > in.size()) return;
    const int h = hash(i);
    previous[i] = head[h];
    head[h] = static_cast<int>(i);
  };
  for (std::size_t i = 0; i < in.size();) {
    int bestLength = 0, bestDistance = 0;
    if (i + kMinMatch <= in.size()) {
      const int limit = static_cast<int>(std::min<std::size_t>(kMaxMatch, in.size() - i));
      int chain = kChainLimit;
      for (int at = head[hash(i)]; at >= 0 && static_cast<int>(i) - at <= kWindow && chain-- > 0;
           at = previous[at]) {
        int length = 0;
        while (length < limit && in[at + length] == in[i + length]) ++length;
        if (length > bestLength) {
          bestLength = length;
          bestDistance = static_cast<int>(i) - at;
          if (length == limit) break;
        }
      }
    }
    if (bestLength >= kMinMatch) {
      PutMatch(w, bestLength, bestDistance);
      for (int k = 0; k < bestLength; ++k) insert(i + k);
      i += bestLength;
    } else {
      PutSymbol(w, in[i]);
      insert(i);
      ++i;
    }
  }
  PutSymbol(w, 256);
  w.Flush();
  PutBig32(out, Adler32(in));
  return out;
}

// --- Inflate (stored and fixed-code blocks) ----------------------------------------------------

class BitReader {
 public:
  BitReader(const std::vector<std::uint8_t>& in, std::size_t at) : in_(in), at_(at) {}
  bool Bits(int count, std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < count; ++i) {
      if (at_ >= in_.size()) return false;
      value |= static_cast<std::uint32_t>((in_[at_] >> used_) & 1) << i;
      if (++used_ == 8) {
        used_ = 0;
        ++at_;
      }
    }
    return true;
  }
  void AlignToByte() {
    if (used_ > 0) {
      used_ = 0;
      ++at_;
    }
  }
  // The next literal/length symbol of the fixed code, or -1.
  int Symbol() {
    std::uint32_t code = 0, bit = 0;
    for (int length = 1; length <= 9; ++length) {
      if (!Bits(1, bit)) return -1;
      code = (code << 1) | bit;
      if (length == 7 && code <= 23) return static_cast<int>(256 + code);
      if (length == 8 && code >= 0x30 && code <= 0xBF) return static_cast<int>(code - 0x30);
      if (length == 8 && code >= 0xC0 && code <= 0xC7) return static_cast<int>(280 + code - 0xC0);
      if (length == 9 && code >= 0x190) return static_cast<int>(144 + code - 0x190);
    }
    return -1;
  }
  int ReversedCode(int length) {
    std::uint32_t code = 0, bit = 0;
    for (int i = 0; i < length; ++i) {
      if (!Bits(1, bit)) return -1;
      code = (code << 1) | bit;
    }
    return static_cast<int>(code);
  }

 private:
  const std::vector<std::uint8_t>& in_;
  std::size_t at_;
  int used_ = 0;
};

std::optional<std::vector<std::uint8_t>> Inflate(const std::vector<std::uint8_t>& in) {
  if (in.size() < 6 || in[0] != 0x78 || (in[0] * 256 + in[1]) % 31 != 0) return std::nullopt;
  std::vector<std::uint8_t> out;
  BitReader r(in, 2);
  for (std::uint32_t final = 0; final == 0;) {
    std::uint32_t type = 0;
    if (!r.Bits(1, final) || !r.Bits(2, type)) return std::nullopt;
    if (type == 0) {
      r.AlignToByte();
      std::uint32_t size = 0, check = 0;
      if (!r.Bits(16, size) || !r.Bits(16, check) || (size ^ check) != 0xFFFF) return std::nullopt;
      for (std::uint32_t i = 0, byte = 0; i < size; ++i) {
        if (!r.Bits(8, byte)) return std::nullopt;
        out.push_back(static_cast<std::uint8_t>(byte));
      }
      continue;
    }
    if (type != 1) return std::nullopt;
    for (;;) {
      const int symbol = r.Symbol();
      if (symbol < 0 || symbol > 285) return std::nullopt;
      if (symbol < 256) {
        out.push_back(static_cast<std::uint8_t>(symbol));
        continue;
      }
      if (symbol == 256) break;
      std::uint32_t extra = 0;
      if (!r.Bits(kLengthExtra[symbol - 257], extra)) return std::nullopt;
      const int length = kLengthBase[symbol - 257] + static_cast<int>(extra);
      const int d = r.ReversedCode(5);
      if (d < 0 || d > 29 || !r.Bits(kDistanceExtra[d], extra)) return std::nullopt;
      const std::size_t distance = static_cast<std::size_t>(kDistanceBase[d]) + extra;
      if (distance > out.size()) return std::nullopt;
      for (int k = 0; k < length; ++k) out.push_back(out[out.size() - distance]);
    }
  }
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
  PutChunk(out, "IDAT", Deflate(raw));
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
  const auto raw = Inflate(zlib);
  const auto bpp = static_cast<std::size_t>(channels);
  const std::size_t rowBytes = static_cast<std::size_t>(width) * bpp;
  if (!raw || raw->size() != (rowBytes + 1) * static_cast<std::size_t>(height) ||
      GetBig32(zlib, zlib.size() - 4) != Adler32(*raw))
    return std::nullopt;
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
