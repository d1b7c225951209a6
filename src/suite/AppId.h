// App IDs name suite applications and host add-ins (Vnto, TMD, Word...); they are compared without
// regard to case everywhere. Portable: no windows.h.
#pragma once

#include <string_view>
#include <vector>

namespace suite {

// The IDs are ASCII; other characters must match exactly.
[[nodiscard]] constexpr bool SameAppId(std::wstring_view a, std::wstring_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// A menu command's "|"-separated IDs in order of preference ("Vnto|VntoI|VntoX"); empty ones are
// skipped. The views point into `list`.
[[nodiscard]] inline std::vector<std::wstring_view> SplitAppIds(std::wstring_view list) {
  std::vector<std::wstring_view> ids;
  while (!list.empty()) {
    const size_t bar = list.find(L'|');
    const std::wstring_view id = list.substr(0, bar);
    if (!id.empty()) ids.push_back(id);
    if (bar == std::wstring_view::npos) break;
    list.remove_prefix(bar + 1);
  }
  return ids;
}

// The programs that get "/WaitForServerExit": they wait for the start centre to go.
inline constexpr wchar_t kWaitForServerExit[] = L"/WaitForServerExit";

}  // namespace suite
