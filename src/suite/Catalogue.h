// The launch tab's catalogue: every suite application the start centre can start from its list,
// in list order, with the string IDs of its name and description and its icon. Portable: no
// windows.h.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace suite {

struct CatalogueRow {
  std::wstring_view appId;
  unsigned nameId;         // UI string table
  unsigned descriptionId;  // UI string table
  unsigned iconId;         // icon resource of the program's own file
  // A fixed executable path would go here; no row has one, the path always comes from "Apps".
  std::wstring_view fixedPath;
};

[[nodiscard]] std::span<const CatalogueRow> Catalogue() noexcept;

// The first row whose app ID matches, without regard to case.
[[nodiscard]] const CatalogueRow* FindCatalogueRow(std::wstring_view appId) noexcept;

}  // namespace suite
