#include "suite/Catalogue.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace suite {
namespace {

constexpr std::size_t kListSize =
    static_cast<std::size_t>(std::ranges::count(Applications(), true, &Application::launchList));

constexpr std::array<Application, kListSize> ListRows() {
  std::array<Application, kListSize> rows{};
  std::ranges::copy_if(Applications(), rows.begin(), &Application::launchList);
  return rows;
}

constexpr std::array<Application, kListSize> kCatalogue = ListRows();

}  // namespace

std::span<const Application> Catalogue() noexcept {
  return kCatalogue;
}

const Application* FindCatalogueRow(std::wstring_view appId) noexcept {
  for (const Application& row : kCatalogue)
    if (SameAppId(row.appId, appId)) return &row;
  return nullptr;
}

}  // namespace suite
