#pragma once
// Texts travel as UTF-16LE code units. In memory a std::wstring holds one code unit per wchar_t on
// every platform (where wchar_t has 32 bits, each element still holds a single 16-bit unit), so a
// text read and written again comes back unit for unit, lone surrogates included.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace inf {

// The units of `bytes` (size / 2 of them; an odd last byte is ignored).
std::wstring DecodeUtf16Le(std::span<const std::uint8_t> bytes);

// Like DecodeUtf16Le, but stops at the first NUL unit.
std::wstring DecodeUtf16LeToNul(std::span<const std::uint8_t> bytes);

// Appends `text` as UTF-16LE units and returns how many units were appended. A wchar_t above
// 0xFFFF (only possible with a 32-bit wchar_t) is written as its surrogate pair, one above
// 0x10FFFF as U+FFFD, so a text written from a native literal is still valid UTF-16.
std::size_t AppendUtf16Le(std::vector<std::uint8_t>& out, std::wstring_view text);

}  // namespace inf
