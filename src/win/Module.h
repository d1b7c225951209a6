// Paths of loaded modules.
#pragma once

#include <windows.h>

#include <string>

namespace win {

// The full path of `module` (the running program when null); empty on failure. Paths may be longer
// than MAX_PATH, so the buffer grows until the path fits.
[[nodiscard]] std::wstring ModulePath(HMODULE module = nullptr);

}  // namespace win
