// Paths of loaded modules.
#pragma once

#include <windows.h>

#include <string>

namespace win {

// The full path of `module` (the running program when null); empty on failure. Paths may be longer
// than MAX_PATH, so the buffer grows until the path fits.
[[nodiscard]] inline std::wstring ModulePath(HMODULE module = nullptr) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace win
