// The sections of the product's .inf that the start centre reads, named in one place: the product's
// application lists and the sections that configure the window's views. Here, below every library
// that reads them (the launcher, the menu model, the panels, the main window). Portable: no
// windows.h.
#pragma once

#include <string>

namespace suite {

// The applications that belong to the product ("apps") and to every product of the suite
// ("allapps"): the keys of these sections.
inline constexpr wchar_t kAppsList[] = L"apps";
inline constexpr wchar_t kAllAppsList[] = L"allapps";

// A view of the window may be configured by the section "_menu" + its number: the tabs (1 to 7) and
// view 8. Higher numbers are the task panels' views, which have none.
inline constexpr int kLastConfigurableView = 8;
[[nodiscard]] constexpr bool IsConfigurableView(int view) noexcept {
  return view >= 1 && view <= kLastConfigurableView;
}
// "_menu" + `view`: the section that configures the view.
[[nodiscard]] inline std::wstring MenuSectionOf(int view) {
  return L"_menu" + std::to_wstring(view);
}

// The documentation tab's section: its values name the product's documents.
inline constexpr wchar_t kDocsMenuSection[] = L"_menu5";
// The network-administration tab's section: products with one are network products.
inline constexpr wchar_t kNetworkMenuSection[] = L"_menu6";

}  // namespace suite
