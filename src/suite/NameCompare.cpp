#include "suite/NameCompare.h"

#include <windows.h>

#include <limits>

namespace suite {

bool SameName(std::wstring_view a, std::wstring_view b) noexcept {
  if (a.size() != b.size()) return false;
  if (a.empty()) return true;
  if (a.size() > static_cast<size_t>(std::numeric_limits<int>::max())) return false;
  const int length = static_cast<int>(a.size());
  return ::CompareStringOrdinal(a.data(), length, b.data(), length, TRUE) == CSTR_EQUAL;
}

}  // namespace suite
