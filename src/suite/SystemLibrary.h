// Libraries whose functions are looked up at run time, because older systems lack them, and the
// system programs started by path.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "win/Handle.h"

namespace suite {

// `fileName` in the system folder ("C:\Windows\System32\regsvr32.exe"): the way to name a system
// program or library so that no copy elsewhere is taken for it. Empty when the folder cannot be read.
[[nodiscard]] std::wstring SystemFolderFile(std::wstring_view fileName);

// Loads `fileName` from the system folder only, never from the program's folder or the current
// one, where a planted copy could sit. Empty when the system has no such library.
[[nodiscard]] win::UniqueModule LoadSystemLibrary(const wchar_t* fileName) noexcept;

// The exported function `name` of `module` as type Fn; null when it is not exported.
template <class Fn>
[[nodiscard]] Fn ProcAddress(HMODULE module, const char* name) noexcept {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace suite
