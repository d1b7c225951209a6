// Owners for what the security and file-search calls hand back: SIDs from
// AllocateAndInitializeSid and LocalAlloc'ed results.
#pragma once

#include <windows.h>

#include "win/Handle.h"

namespace suite {

struct SidTraits {
  using type = PSID;
  static constexpr type invalid() noexcept { return nullptr; }
  static bool is_invalid(type h) noexcept { return h == nullptr; }
  static void close(type h) noexcept { ::FreeSid(h); }
};

// Memory the system allocated with LocalAlloc for us (ConvertSidToStringSidW, ConvertStringSidToSidW).
template <class T>
struct LocalMemoryTraits {
  using type = T;
  static constexpr type invalid() noexcept { return nullptr; }
  static bool is_invalid(type h) noexcept { return h == nullptr; }
  static void close(type h) noexcept { ::LocalFree(h); }
};

using UniqueSid = win::Unique<SidTraits>;
template <class T>
using UniqueLocal = win::Unique<LocalMemoryTraits<T>>;

}  // namespace suite
