// The names by which messages and the document hand-off call an application: DisplayName(app ID,
// host flag). The lookup is portable (DisplayNameTable.cpp); the text comes from the current
// string table (DisplayNames.cpp).
#pragma once

#include <string>
#include <string_view>

namespace suite {

// Where a display name comes from: a string-table entry, a fixed text, or nothing (empty name).
struct DisplayNameSource {
  unsigned stringId = 0;
  std::wstring_view fixedText;
};

// Suite applications first; with `hostFlag` the host applications' names override a match.
[[nodiscard]] DisplayNameSource LookUpDisplayName(std::wstring_view appId, bool hostFlag) noexcept;

// The text; empty for an ID nobody knows (and for a host ID without the host flag).
[[nodiscard]] std::wstring DisplayName(std::wstring_view appId, bool hostFlag);

}  // namespace suite
