#include "profile/Utf16.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace inf {

std::wstring DecodeUtf16Le(std::span<const std::uint8_t> bytes) {
  const std::size_t count = bytes.size() / 2;
  std::wstring text(count, L'\0');
  if constexpr (sizeof(wchar_t) == 2 && std::endian::native == std::endian::little) {
    if (count != 0) std::memcpy(text.data(), bytes.data(), count * 2);
  } else {
    const std::uint8_t* p = bytes.data();
    for (std::size_t i = 0; i < count; ++i, p += 2) text[i] = static_cast<wchar_t>(p[0] | (p[1] << 8));
  }
  return text;
}

std::wstring DecodeUtf16LeToNul(std::span<const std::uint8_t> bytes) {
  std::size_t units = 0;
  const std::size_t count = bytes.size() / 2;
  while (units < count && (bytes[2 * units] | bytes[2 * units + 1]) != 0) ++units;
  return DecodeUtf16Le(bytes.first(units * 2));
}

namespace {

void PutUnit(std::uint8_t*& p, std::uint32_t unit) {
  *p++ = static_cast<std::uint8_t>(unit);
  *p++ = static_cast<std::uint8_t>(unit >> 8);
}

}  // namespace

std::size_t AppendUtf16Le(std::vector<std::uint8_t>& out, std::wstring_view text) {
  std::size_t units = text.size();
  if constexpr (sizeof(wchar_t) > 2) {
    units += static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](wchar_t ch) {
      const auto cp = static_cast<std::uint32_t>(ch);
      return cp > 0xFFFF && cp <= 0x10FFFF;
    }));
  }
  const std::size_t start = out.size();
  out.resize(start + units * 2);
  std::uint8_t* p = out.data() + start;
  for (wchar_t ch : text) {
    auto cp = static_cast<std::uint32_t>(ch);
    if (cp <= 0xFFFF) {
      PutUnit(p, cp);
    } else if (cp <= 0x10FFFF) {
      cp -= 0x10000;
      PutUnit(p, 0xD800 + (cp >> 10));
      PutUnit(p, 0xDC00 + (cp & 0x3FF));
    } else {
      PutUnit(p, 0xFFFD);
    }
  }
  return units;
}

}  // namespace inf
