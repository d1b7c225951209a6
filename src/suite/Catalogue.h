// The launch tab's catalogue: the rows of the application table that the launch list shows, in
// list order. Portable: no windows.h.
#pragma once

#include <span>
#include <string_view>

#include "suite/Applications.h"

namespace suite {

[[nodiscard]] std::span<const Application> Catalogue() noexcept;

// The first row of the catalogue whose app ID matches, without regard to case.
[[nodiscard]] const Application* FindCatalogueRow(std::wstring_view appId) noexcept;

}  // namespace suite
