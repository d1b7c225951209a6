// UTF-8 <-> UTF-16 for the kernel's text files. Invalid bytes become U+FFFD instead of failing:
// a damaged file still loads, only its damaged words are unreadable.
#pragma once

#include <string>
#include <string_view>

namespace vanto {

[[nodiscard]] std::wstring FromUtf8(std::string_view bytes);
[[nodiscard]] std::string ToUtf8(std::wstring_view text);

}  // namespace vanto
