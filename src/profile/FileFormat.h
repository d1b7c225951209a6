#pragma once
// Layout of an encrypted profile (.inf) file: a 16-byte header, then the body. The body starts with
// four check bytes (marker, checksum, OR byte, salt) followed by the scrambled item stream.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace inf {

inline constexpr std::uint16_t kMagic = 0x1A1A;
inline constexpr std::size_t kHeaderSize = 16;
inline constexpr std::uint8_t kBodyMarker = 0x1A;
inline constexpr std::size_t kBodyCheckSize = 4;

// One-byte tags that open every item of the stream.
inline constexpr std::uint8_t kTagText = 1;   // int32 unit count N, then N UTF-16LE units
inline constexpr std::uint8_t kTagInt = 2;    // int32
inline constexpr std::uint8_t kTagDword = 3;  // the second 32-bit kind, unsigned
inline constexpr std::uint8_t kTagBlock = 4;  // int32 length L, then L bytes

// Entry type codes (character codes) that are followed by a value item.
inline constexpr std::int32_t kTypeText = 'S';
inline constexpr std::int32_t kTypeInt = 'H';
inline constexpr std::int32_t kTypeDword = 'B';
inline constexpr std::int32_t kTypeBlock = 'G';

// Keystream parameters carried by every file. Only their low bytes take part in the stream.
struct StreamParams {
  std::uint16_t a = 0;
  std::uint16_t b = 0;
  std::uint16_t c = 0;
  bool operator==(const StreamParams&) const = default;
};

inline std::uint16_t LoadLe16(const std::uint8_t* p) noexcept {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t LoadLe32(const std::uint8_t* p) noexcept {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline void StoreLe16(std::uint8_t* p, std::uint16_t v) noexcept {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void StoreLe32(std::uint8_t* p, std::uint32_t v) noexcept {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The header a writer puts in front of a scrambled body; the reserved bytes are zeros.
inline std::array<std::uint8_t, kHeaderSize> EncodeHeader(StreamParams params) noexcept {
  std::array<std::uint8_t, kHeaderSize> header{};
  StoreLe16(&header[0], kMagic);
  StoreLe16(&header[2], params.a);
  StoreLe16(&header[4], params.b);
  StoreLe16(&header[6], params.c);
  return header;
}

}  // namespace inf
