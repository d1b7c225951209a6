// The DLL itself: its module handle and the counts that decide whether COM may unload it.
#pragma once

#include <windows.h>

#include <string>

namespace edsetup {

[[nodiscard]] HMODULE ThisModule() noexcept;
// The DLL's full path; empty when it cannot be asked.
[[nodiscard]] std::wstring ModulePath();

void ObjectCreated() noexcept;
void ObjectDestroyed() noexcept;
void LockModule(bool lock) noexcept;
[[nodiscard]] bool CanUnload() noexcept;

}  // namespace edsetup
