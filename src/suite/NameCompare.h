// File and executable names compare the way the file system does: ordinal, ignoring case.
#pragma once

#include <string_view>

namespace suite {

[[nodiscard]] bool SameName(std::wstring_view a, std::wstring_view b) noexcept;

}  // namespace suite
