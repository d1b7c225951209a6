// Which applications belong to the product: the keys of the "apps" section of its .inf ("allapps"
// names those of every product of the suite). Portable: no windows.h.
#pragma once

#include <string_view>

class CXCryptedProfileW;

namespace suite {

inline constexpr wchar_t kAppsList[] = L"apps";
inline constexpr wchar_t kAllAppsList[] = L"allapps";
// The network-administration tab's section: products with one are network products.
inline constexpr wchar_t kNetworkMenuSection[] = L"_menu6";

// `list` has a key equal to `appId`, compared without regard to case. Values are not looked at.
[[nodiscard]] bool IsListedIn(const CXCryptedProfileW& configuration, std::wstring_view list,
                              std::wstring_view appId);
[[nodiscard]] bool IsListedInApps(const CXCryptedProfileW& configuration, std::wstring_view appId);

// The list a launch list is built from: "allapps" when every feature is shown, else "apps".
[[nodiscard]] constexpr std::wstring_view LaunchListName(bool showAll) noexcept {
  return showAll ? kAllAppsList : kAppsList;
}

}  // namespace suite
