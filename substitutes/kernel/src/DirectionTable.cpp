#include "DirectionTable.h"

#include "KernelResources.h"

namespace vanto {
namespace {

constexpr DirectionInfo kDirections[] = {
    {0x0907, L"English-German", IDR_LIST_EN_DE, false},  {0x0709, L"German-English", IDR_LIST_EN_DE, true},
    {0x0919, L"English-Russian", IDR_LIST_EN_RU, false}, {0x1909, L"Russian-English", IDR_LIST_EN_RU, true},
    {0x090C, L"English-French", IDR_LIST_EN_FR, false},  {0x0C09, L"French-English", IDR_LIST_EN_FR, true},
    {0x090A, L"English-Spanish", IDR_LIST_EN_ES, false}, {0x0A09, L"Spanish-English", IDR_LIST_EN_ES, true},
    {0x0719, L"German-Russian", IDR_LIST_DE_RU, false},  {0x1907, L"Russian-German", IDR_LIST_DE_RU, true},
};

constexpr std::wstring_view kProfiles[] = {L"General", L"Business", L"Technical"};

}  // namespace

std::span<const DirectionInfo> Directions() noexcept {
  return kDirections;
}

int DirectionIndexOf(long id) noexcept {
  for (size_t i = 0; i < std::size(kDirections); ++i) {
    if (kDirections[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

std::span<const std::wstring_view> ProfileNames() noexcept {
  return kProfiles;
}

}  // namespace vanto
