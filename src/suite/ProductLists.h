// Which applications belong to the product: the keys of the "apps" section of its .inf ("allapps"
// names those of every product of the suite). Portable: no windows.h.
#pragma once

#include <string_view>

#include "suite/InfSections.h"

class CXCryptedProfileW;

namespace suite {

// `list` has a key equal to `appId`, compared without regard to case. Values are not looked at.
[[nodiscard]] bool IsListedIn(const CXCryptedProfileW& configuration, std::wstring_view list,
                              std::wstring_view appId);
[[nodiscard]] bool IsListedInApps(const CXCryptedProfileW& configuration, std::wstring_view appId);

// The list a launch list is built from: "allapps" when every feature is shown, else "apps".
[[nodiscard]] constexpr std::wstring_view LaunchListName(bool showAll) noexcept {
  return showAll ? kAllAppsList : kAppsList;
}

}  // namespace suite
