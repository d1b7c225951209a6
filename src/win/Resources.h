// The current resource module: where every string, dialog, menu, bitmap and page is loaded from.
// It starts as the executable itself (English) and becomes the language library once one is loaded.
#pragma once

#include <windows.h>

#include <string>

#include "win/Handle.h"

namespace win {

[[nodiscard]] HMODULE ResourceModule() noexcept;

// Makes `library` the current resource module and keeps it loaded until the next call or exit.
void AdoptResourceModule(UniqueModule library) noexcept;

// Back to the executable's own resources; frees an adopted library.
void ResetResourceModule() noexcept;

// String-table entries are not NUL-terminated: they are read by length. Empty when missing.
[[nodiscard]] std::wstring LoadString(UINT id);
[[nodiscard]] std::wstring LoadStringFrom(HMODULE module, UINT id);

}  // namespace win
